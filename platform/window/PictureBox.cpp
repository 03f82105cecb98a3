#include "platform/window/PictureBox.h"

#include <QPainter>
#include <cstring>

#include "platform/codecs/PictureDecoder.h"

namespace window {
namespace {

QImage ToQImage(const codecs::DecodedPicture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    if (image.isNull()) {
        return {};
    }
    const std::size_t rowBytes = std::size_t(picture.width) * 4;
    for (int y = 0; y < picture.height; ++y) {
        std::memcpy(image.scanLine(y), picture.argb.data() + std::size_t(y) * picture.width,
                    rowBytes);
    }
    return image;
}

}  // namespace

PictureBox::PictureBox(QWidget* parent, QColor background, runtime::DisplayMode mode)
    : QWidget(parent), background_(background), mode_(mode) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

// Decoding waits for the first paint, so a hidden box costs nothing until it is shown.
void PictureBox::SetPicture(const runtime::Bytes& bytes) {
    bytes_ = bytes;
    decoded_ = false;
    update();
}

void PictureBox::SetDisplayMode(runtime::DisplayMode mode) {
    mode_ = mode;
    // A reduced-scale decode may not cover the size the new mode draws at.
    if (!image_.isNull() && image_.width() < natural_.width) {
        decoded_ = false;
    }
    repaint();
}

codecs::DecodeHint PictureBox::HintForMode() const {
    return {mode_, {width(), height()}};
}

void PictureBox::Decode() {
    decoded_ = true;
    image_ = QImage();
    natural_ = {};
    const auto picture = codecs::DecodePicture(bytes_, HintForMode());
    if (picture) {
        image_ = ToQImage(*picture);
        natural_ = {picture->naturalWidth, picture->naturalHeight};
    }
}

QRect PictureBox::PictureRect() const {
    const codecs::PictureRect drawn = codecs::DrawnRect(natural_, HintForMode());
    return {drawn.left, drawn.top, drawn.size.width, drawn.size.height};
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (!decoded_) {
        Decode();
    }
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    if (image_.isNull()) {
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(PictureRect(), image_);
}

}  // namespace window
