#pragma once

// Geometry of the room sketch: a wire-frame box in oblique projection (front
// face true to scale, depth at 45° and shortened) with the door on the front
// wall when it fits. Coordinates are in twips relative to the top-left corner
// of the room-size group box, y growing downwards.

#include <array>
#include <optional>

#include "core/record.h"

namespace kamerol {

struct SketchInput {
  float roomLength = 0;             // m
  float roomWidth = 0;              // m
  float roomHeight = 0;             // m
  float wallMaterialThickness = 0;  // mm
  float wallInsulationThickness = 0;
  float floorMaterialThickness = 0;
  float floorInsulationThickness = 0;
  float ceilingMaterialThickness = 0;
  float ceilingInsulationThickness = 0;
  float doorWidth = 0;   // m
  float doorHeight = 0;  // m
};

// The sketch draws the room the engine calculates: like the engine it takes
// the magnitude of all three dimensions, so a negative length (typed, before
// the field's check rejects it, or read from a file) draws the same box as the
// positive one instead of a mirrored face.
SketchInput sketchInputOf(const CalculationInputs& inputs);

struct SketchPoint {
  float x = 0;
  float y = 0;
  friend bool operator==(const SketchPoint&, const SketchPoint&) = default;
};

struct SketchSegment {
  SketchPoint start;
  SketchPoint end;
  bool visible = true;
  bool dashed = false;
};

// The 16 segments under the names of the form's line controls.
struct RoomSketch {
  std::array<SketchSegment, 4> l1;  // edges along the length
  std::array<SketchSegment, 4> l2;  // depth edges, along the width
  std::array<SketchSegment, 8> l3;  // 0-3 vertical edges, 4-7 the door

  bool doorVisible() const { return l3[4].visible; }
};

inline constexpr float kSketchBoxWidth = 8775;   // twips
inline constexpr float kSketchBoxHeight = 3675;  // twips

// The sketch for these inputs. Empty when the box cannot be computed (a
// dimension beyond the fixed-point range); the caller then keeps the picture
// it has. A door whose coordinates overflow is hidden.
std::optional<RoomSketch> computeRoomSketch(const SketchInput& input);

}  // namespace kamerol
