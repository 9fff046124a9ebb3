#include "common/qt/DialogButtons.h"

#include <string>

namespace quillcast {

OkCancel MakeOkCancel(QDialog* dialog, std::function<bool()> on_ok) {
  auto* ok = new QPushButton("&OK", dialog);
  ok->setObjectName("OKButton");
  ok->setDefault(true);
  auto* cancel = new QPushButton("&Cancel", dialog);
  cancel->setObjectName("CancelButton");
  cancel->setAutoDefault(false);
  QObject::connect(ok, &QPushButton::clicked, dialog, [dialog, on_ok = std::move(on_ok)] {
    if (on_ok()) dialog->accept();
  });
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return {ok, cancel};
}

QRect ReadPlacement(const ProfileFile& settings, const char* section, const char* prefix,
                    const QRect& current) {
  const std::string p = prefix;
  QRect bounds = current;
  bounds.moveTop(settings.ReadInteger(section, p + "Top", bounds.top()));
  bounds.moveLeft(settings.ReadInteger(section, p + "Left", bounds.left()));
  bounds.setWidth(settings.ReadInteger(section, p + "Width", bounds.width()));
  bounds.setHeight(settings.ReadInteger(section, p + "Height", bounds.height()));
  return bounds;
}

void WritePlacement(ProfileFile& settings, const char* section, const char* prefix,
                    const QWidget& window) {
  const std::string p = prefix;
  const int state = window.isMinimized() ? 1 : window.isMaximized() ? 2 : 0;
  settings.WriteInteger(section, p + "WindowState", state);
  if (state != 0) return;
  const QRect bounds = window.geometry();
  settings.WriteInteger(section, p + "Top", bounds.top());
  settings.WriteInteger(section, p + "Left", bounds.left());
  settings.WriteInteger(section, p + "Width", bounds.width());
  settings.WriteInteger(section, p + "Height", bounds.height());
}

}  // namespace quillcast
