#pragma once

#include <optional>
#include <string>
#include <string_view>

// Who the code in an exception belongs to, read from its stack frames and message.
namespace Diagnostics::StackFrames {

// Whether a line is a stack frame, in either of the formats the log holds: the runtime's
// "  at Jotunn.Managers.GUIManager.CreateKeyHintObject (…) [0x000c0] in <…>:0" and the engine's
// "Namespace.Class:Method (ArgType,ArgType)", with or without a space before the parameters.
bool isFrame(std::string_view line);

// The namespace of a stack frame's method ("Jotunn.Managers" of the frame above), or none when the
// line is no frame or the code is the runtime's, the engine's, the patcher's, the loader's or the
// game's own (its classes have no namespace: "Player.SetPVP", "Humanoid:EquipItem").
std::optional<std::string_view> pluginNamespace(std::string_view line);

// The namespace of a type that a message names as "Namespace.Type::Method" (a Harmony patch), or of
// the method a MissingMethodException names ("bool RRRCore.Util.IsEmpty(string)").
std::optional<std::string> namedNamespace(std::string_view message);

// The assembly a type-load message names: "… from assembly 'RRRCore, Version=…'".
std::optional<std::string_view> namedAssembly(std::string_view message);

// The first segment of a namespace.
std::string_view root(std::string_view ns);
}  // namespace Diagnostics::StackFrames
