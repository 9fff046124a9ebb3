#include "editors/ToolWindow.h"

#include <QScreen>
#include <cstdlib>

namespace quillcast {

ToolWindow::ToolWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint |
                          Qt::WindowTitleHint) {}

QPoint ToolWindow::Snapped(const QRect& frame, const QRect& screen) {
  QPoint at = frame.topLeft();
  if (std::abs(frame.left() - screen.left()) <= kSnapDistance) at.setX(screen.left());
  if (std::abs(frame.right() - screen.right()) <= kSnapDistance) {
    at.setX(screen.right() - frame.width() + 1);
  }
  if (std::abs(frame.top() - screen.top()) <= kSnapDistance) at.setY(screen.top());
  if (std::abs(frame.bottom() - screen.bottom()) <= kSnapDistance) {
    at.setY(screen.bottom() - frame.height() + 1);
  }
  return at;
}

void ToolWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (snapping_ || !isVisible() || screen() == nullptr) return;
  const QRect frame = frameGeometry();
  const QPoint at = Snapped(frame, screen()->availableGeometry());
  if (at != frame.topLeft()) {
    snapping_ = true;
    move(at);
    snapping_ = false;
  }
}

}  // namespace quillcast
