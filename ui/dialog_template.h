// DialogTemplate: a dialog template in memory, copied with the face of its font replaced, for
// a dialog shown where its own face cannot grow with the display (a bitmap face).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A copy of the dialog template `data` (`size` bytes, a DLGTEMPLATE or a DLGTEMPLATEEX) whose
// font face is `face` (UTF-16, terminated), its controls unchanged and kept on their 4-byte
// boundaries. Empty when the template names no font of its own (no DS_SETFONT), or is cut
// short or malformed.
std::vector<std::uint8_t> WithDialogFace(const std::uint8_t* data, std::size_t size,
                                         const char16_t* face);
