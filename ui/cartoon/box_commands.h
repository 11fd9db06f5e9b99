// The extended library's eight commands, the program's only way to act on
// an animation box. Argument 0 is always the box (a unit reference);
// omitted optional arguments (tag 0) take their defaults.
#pragma once

#include <array>
#include <cstdint>

#include "runtime/library_types.h"

namespace horavia::ui {

namespace box_command {
constexpr int kSetObjectAngle = 0;    // id, angle
constexpr int kStartAutoRotate = 1;   // id, step, interval, [total degrees = 0], [duration ms = 0]
constexpr int kCreateObject = 2;      // [template], x, y, [visible = true], [name = ""] -> id
constexpr int kSetObjectVisible = 3;  // id, [visible = true]
constexpr int kSetObjectPicture = 4;  // id, [picture], [transparent colour = -1]
constexpr int kDestroyObjects = 5;    // id, id, ...
constexpr int kObjectExists = 6;      // id -> bool
constexpr int kSetPictureScale = 7;   // percent
constexpr int kCount = 8;
}  // namespace box_command

void SetObjectAngle(runtime::ArgRecord* result, std::int32_t count, runtime::ArgRecord* args);
void StartAutoRotate(runtime::ArgRecord* result, std::int32_t count, runtime::ArgRecord* args);
void CreateObject(runtime::ArgRecord* result, std::int32_t count, runtime::ArgRecord* args);
void SetObjectVisible(runtime::ArgRecord* result, std::int32_t count, runtime::ArgRecord* args);
void SetObjectPicture(runtime::ArgRecord* result, std::int32_t count, runtime::ArgRecord* args);
void DestroyObjects(runtime::ArgRecord* result, std::int32_t count, runtime::ArgRecord* args);
void ObjectExists(runtime::ArgRecord* result, std::int32_t count, runtime::ArgRecord* args);
void SetPictureScale(runtime::ArgRecord* result, std::int32_t count, runtime::ArgRecord* args);

// The command table of the extended library, by command number.
inline constexpr std::array<runtime::CommandFunction, box_command::kCount> kBoxCommands = {
    &SetObjectAngle, &StartAutoRotate, &CreateObject, &SetObjectVisible,
    &SetObjectPicture, &DestroyObjects, &ObjectExists, &SetPictureScale,
};

}  // namespace horavia::ui
