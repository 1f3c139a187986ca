// The look of the windows' texts. Colours are set in the palette of the
// enabled states only, so that a disabled control keeps the style's disabled
// look (a style sheet's colour would apply to every state).
#pragma once

class QColor;
class QWidget;

// Text in `colour` while the widget is enabled.
void setTextColour(QWidget* widget, const QColor& colour);
// Bold text in the widget's own font.
void setBoldText(QWidget* widget);
// The buttons' and check boxes' blue (bold) text.
void setBlueText(QWidget* widget, bool bold);
