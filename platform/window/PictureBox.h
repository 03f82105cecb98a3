#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include "platform/codecs/PictureFit.h"
#include "runtime/Text.h"

// A picture box: keeps its own copy of the picture bytes, decodes them with the project's
// decoders and draws them in one of three display modes over its background colour.
//   0: natural size at the top-left corner, clipped
//   1: stretched to fill the box
//   2: natural size centred, or shrunk to fit with proportions kept, centred
class PictureBox : public QWidget {
  public:
    PictureBox(QWidget* parent, QColor background, int displayMode);

    void SetPicture(const runtime::Bytes& bytes);
    void SetDisplayMode(int mode);
    int DisplayMode() const { return mode_; }

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
    int mode_;
};
