// The OK and Cancel buttons every small dialog has, and the window placements kept in the
// settings file.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <QRect>
#include <functional>

#include "common/ProfileFile.h"

namespace quillcast {

struct OkCancel {
  QPushButton* ok;
  QPushButton* cancel;
};

// "&OK" is the default button and runs `on_ok`, which closes the dialog as accepted when it
// returns true; "&Cancel" (also Esc) closes it as rejected.
OkCancel MakeOkCancel(QDialog* dialog, std::function<bool()> on_ok);

// The bounds stored under <prefix>Top, <prefix>Left, <prefix>Width and <prefix>Height, each
// falling back to `current`.
QRect ReadPlacement(const ProfileFile& settings, const char* section, const char* prefix,
                    const QRect& current);
// Writes <prefix>WindowState (0 normal, 1 minimized, 2 maximized) and, only for a normal
// window, the four bounds.
void WritePlacement(ProfileFile& settings, const char* section, const char* prefix,
                    const QWidget& window);

}  // namespace quillcast
