// A tool window that stays on top of the application's windows and snaps to the screen's
// edges when moved within 20 pixels of them.
#pragma once

#include <QWidget>

namespace quillcast {

class ToolWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ToolWindow(QWidget* parent = nullptr);
  static constexpr int kSnapDistance = 20;
  // Where a window at `frame` lands when it snaps to the edges of `screen`.
  static QPoint Snapped(const QRect& frame, const QRect& screen);

 protected:
  void moveEvent(QMoveEvent* event) override;

 private:
  bool snapping_ = false;
};

}  // namespace quillcast
