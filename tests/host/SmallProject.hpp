// The small project of the host-level export tests, as a scene text.
#ifndef TESTS_HOST_SMALLPROJECT_HPP
#define TESTS_HOST_SMALLPROJECT_HPP

// A small project: two stories, two layers, a wall and a chair, one material.
inline constexpr const char* SmallScene = R"({
  "project": {
    "info": {"file": "House.pln"},
    "window": "3d",
    "stories": [{"index": 0, "level": 0.0, "name": "Ground floor"}, {"index": 1, "level": 3.0, "name": "First floor"}],
    "layers": [{"index": 1, "name": "General"}, {"index": 2, "name": "Walls"}],
    "materials": [{"index": 3, "name": "Brick", "color": [0.8, 0.2, 0.1]}],
    "libraryParts": [{"index": 1, "type": 4, "name": "Chair", "a": 0.5, "b": 0.5,
                      "parameters": [{"name": "ZZYZX", "number": 0.9}]}],
    "elements": [
      {"guid": "5A000000-0000-4000-8000-000000000001", "type": 1, "story": 0, "layer": 2},
      {"guid": "5A000000-0000-4000-8000-000000000002", "type": 6, "story": 1, "layer": 1, "libPart": 1,
       "position": [1.0, 1.0], "size": [0.5, 0.5], "parameters": [{"name": "ZZYZX", "number": 1.0}]}
    ]
  },
  "model": {
    "elements": [
      {"guid": "5A000000-0000-4000-8000-000000000001",
       "bodies": [{"vertices": [[0, 0, 0], [4, 0, 0], [4, 0, 3], [0, 0, 3]],
                   "polygons": [{"material": 1, "corners": [1, 2, 3, 4]}]}]},
      {"guid": "5A000000-0000-4000-8000-000000000002",
       "bodies": [{"vertices": [[1, 1, 3], [1.5, 1, 3], [1, 1.5, 3]], "polygons": [{"material": 1, "corners": [1, 2, 3]}]}]}
    ],
    "materials": [{"name": "Brick", "externalReference": 3, "surfaceColor": [0.8, 0.2, 0.1]}]
  }
})";

#endif
