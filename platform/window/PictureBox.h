#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include "platform/codecs/PictureFit.h"
#include "runtime/DisplayMode.h"
#include "runtime/Text.h"

namespace window {

// A picture box: keeps its own copy of the picture bytes, decodes them with the project's
// decoders and draws them in its display mode over its background colour.
class PictureBox : public QWidget {
  public:
    PictureBox(QWidget* parent, QColor background, runtime::DisplayMode mode);

    void SetPicture(const runtime::Bytes& bytes);
    void SetDisplayMode(runtime::DisplayMode mode);
    runtime::DisplayMode DisplayMode() const { return mode_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    codecs::DecodeHint HintForMode() const;
    void Decode();
    QRect PictureRect() const;

    runtime::Bytes bytes_;
    bool decoded_ = true;  // whether image_ reflects bytes_ and the mode
    QImage image_;         // null when there is nothing to draw
    codecs::PictureSize natural_;
    QColor background_;
    runtime::DisplayMode mode_;
};

}  // namespace window
