// A drawing in the saved form, touching every part of the schema, for the tests of the
// drawing's readers and writer.
#pragma once

namespace sample {

inline const char* const kDrawing = R"({
  "entities": [
    { "handle": 1, "type": "partref", "dataEntry": 7, "position": [10.5, 20],
      "layer": "PARTS", "color": 3, "linetype": "CENTER" },
    { "handle": 2, "type": "blockref", "block": "GEAR", "position": [1, 2, 3] },
    { "handle": 3, "type": "line" },
    { "handle": 4, "type": "partref", "dataEntry": 9 },
    { "handle": 5, "type": "partref" }
  ],
  "blocks": [
    { "name": "GEAR", "xrefPath": "parts/gear.dwg", "partData": { "ORBKEY": "P9" },
      "entities": [ { "handle": 20, "type": "partref", "dataEntry": 8 },
                    { "handle": 21, "type": "blockref", "block": "PIN" } ] },
    { "name": "PIN", "entities": [ { "handle": 30, "type": "partref", "dataEntry": 7 } ] }
  ],
  "partData": { "ORBKEY": "D1.1" },
  "dataEntries": { "9": { "ORBKEY": "P5", "NOTE": "loose" } },
  "boms": [
    { "owner": null, "current": true, "rows": [
      { "item": "1", "qty": 2, "dataEntry": 7, "cells": { "DESCR": "Washer" },
        "partRefPaths": [[1], [2, 21, 30]], "state": 1 },
      { "item": "2", "qty": 1, "dataEntry": 8, "cells": {}, "partRefPaths": [[2, 20]] } ] },
    { "owner": "GEAR", "rows": [
      { "item": "1", "qty": 1, "dataEntry": 8, "cells": {}, "partRefPaths": [[2, 20]] } ] }
  ],
  "standard": { "columns": [ { "name": "ITEM", "visible": true },
                             { "name": "WEIGHT", "visible": false, "type": 5, "dataType": 2,
                               "displayText": "Gewicht" } ] },
  "structure2d": true,
  "loadedModules": [ "orbdvmbom16.vmx" ],
  "defaults": { "layer": "PARTREF", "color": 0, "linetype": "ByBlock" },
  "ucs": { "origin": [10, 20, 1.5], "xAxis": [0, 1], "yAxis": [-1, 0] }
})";

}  // namespace sample
