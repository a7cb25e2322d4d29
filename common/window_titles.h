// The window titles the two programs agree on: the renderer shows its title,
// the shell's single-instance guard looks for it and the other two. Plain C++.
#pragma once

#include <string_view>

namespace orvanth {

// The renderer's window; its class is kRendererClass.
inline constexpr char kRendererTitle[] = "Lumevar_Delphi";
inline constexpr char kRendererClass[] = "OpenGL";

// Titles whose windows mean another copy of the system is running, in the
// order the guard looks them up.
inline constexpr std::string_view kGuardTitles[] = {"Lumevar_Main", "<Orvanth>", kRendererTitle};

// The settings dialog's caption and the preview form's.
inline constexpr char kDialogCaption[] = "<Quillon>";
inline constexpr char kPreviewCaption[] = "Preview Window";

}  // namespace orvanth
