// What changed between two drawings in the saved-drawing schema (what --save-drawing writes,
// see sim/scenario/drawing_io.h): the preview of changes of "run --changes", "vexa-sim diff"
// and the shell.
//
// Each change names its kind (`what`), its place (`where`) and the value before and after
// (null where there was or is none):
//   row      a row added or removed (old/new: the row), or a row's item, qty, state,
//            dataEntry or partRefPaths changed
//   cell     a cell of a row (a column's text)
//   partData a field of the drawing's, a block's or a part reference's own part data (part
//            references whose data entry a row holds show as cells of that row)
//   entity   an entity added or erased (old/new: the entity with its position), one of its
//            values changed, or moved into another block or model space ("owner"; old/new:
//            the block's name, null for model space)
//   column   a column of the parts-list standard added, removed or changed
// `where` is a path of segments joined by "/", each escaped as in a JSON pointer ("~0" for
// "~", "~1" for "/"). Its first segment is the group the change belongs to: "drawing",
// "block NAME", "parts list (model space)", "parts list (block NAME)", "parts-list standard";
// then "row ITEM" (the row's item after the change, before it for a removed row),
// "part reference HANDLE" (or "block reference", "line"), and the column, field or value.
//
// Rows are matched by their data entry, then by item; entities by handle. Changes come in a
// fixed order: the drawing, its blocks, its parts lists, the standard; within each, in the
// order of the later drawing, removed things after the rest in the order of the earlier one.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

struct DrawingChange {
    std::string what;
    std::string where;
    nlohmann::json oldValue, newValue;
    // A row's and its cells' changes: the row's place in its list, from 1 (after the change;
    // before it for a removed row), which tells rows without an item apart.
    std::optional<std::size_t> place;
};

// Both drawings are "drawing" objects; keys they lack count as empty: a cell or a field of
// part data that is absent on one side and empty on the other is no change.
std::vector<DrawingChange> DiffDrawings(const nlohmann::json& before, const nlohmann::json& after);

// The segments of a change's `where`, unescaped.
std::vector<std::string> WhereSegments(const std::string& where);
