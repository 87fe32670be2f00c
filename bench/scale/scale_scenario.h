// Generated scenario drawings for the scale benchmark.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace scale {

// A drawing of that many parts-list rows, each with a part reference in model space; every
// tenth one sits in an external-reference block inserted in model space. Twenty fields are
// mapped, "FILENAME" among them; every row has an ORBKEY that the PDM knows, and the mapping
// file has the sections the part-reference commands read. The steps type the given texts
// (a command and its answers, one a line). Written as compact JSON.
void writeScenario(std::ostream& out, int rows, const std::vector<std::string>& commands);

}  // namespace scale
