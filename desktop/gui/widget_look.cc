#include "desktop/gui/widget_look.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QWidget>

void setTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText, QPalette::Text})
      palette.setColor(group, role, colour);
  }
  widget->setPalette(palette);
}

void setBoldText(QWidget* widget) {
  QFont font = widget->font();
  font.setBold(true);
  widget->setFont(font);
}

void setBlueText(QWidget* widget, bool bold) {
  setTextColour(widget, Qt::blue);
  if (bold) setBoldText(widget);
}
