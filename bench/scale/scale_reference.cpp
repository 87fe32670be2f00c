// The yardstick of the scale benchmark: what nlohmann-json alone needs to read a scenario
// and write it again, as a DOM parsed whole and dumped indented by two (the saved drawing's
// form), with nothing loaded into a drawing.
//
//   scale_reference IN.json OUT.json
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include <nlohmann/json.hpp>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: scale_reference IN.json OUT.json\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "scale_reference: cannot read " << argv[1] << "\n";
        return 2;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const nlohmann::json document = nlohmann::json::parse(text);
    std::ofstream out(argv[2], std::ios::binary);
    out << document.dump(2) << '\n';
    return out.good() ? 0 : 1;
}
