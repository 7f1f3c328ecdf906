#pragma once

// The program's look: Qt's Fusion style on every platform, and the form's font.

#include <QProxyStyle>

namespace kamerol::shell {

// Fusion, with nothing read from image files until it is needed: standard
// icons are made when first drawn (see deferred_icon.h), and group box frames,
// which Fusion draws from an image, are drawn alike with lines. The first image
// a program reads loads every image format plugin Qt has, a good part of the
// start-up. Large frames and the tool bar are drawn in strips, which keeps
// their fills off Qt's painting threads (see program_look.cpp).
class ProgramStyle final : public QProxyStyle {
  Q_OBJECT

 public:
  ProgramStyle();

  QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget = nullptr) const override;
};

// Sets the program's style and font for the whole application.
void applyProgramLook();

}  // namespace kamerol::shell
