#include "platform/window/PictureBox.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

#include "platform/codecs/PictureDecoder.h"

namespace {

int ClampMode(int mode) {
    return std::clamp(mode, 0, 2);
}

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

PictureBox::PictureBox(QWidget* parent, QColor background, int displayMode)
    : QWidget(parent), background_(background), mode_(ClampMode(displayMode)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

// Decoding waits for the first paint, so a hidden box costs nothing until it is shown.
void PictureBox::SetPicture(const runtime::Bytes& bytes) {
    bytes_ = bytes;
    decoded_ = false;
    update();
}

void PictureBox::SetDisplayMode(int mode) {
    mode_ = ClampMode(mode);
    // A reduced-scale decode may not cover the size the new mode draws at.
    if (!image_.isNull() && image_.width() < natural_.width) {
        decoded_ = false;
    }
    repaint();
}

codecs::DecodeHint PictureBox::HintForMode() const {
    using Drawn = codecs::DecodeHint::Drawn;
    const Drawn drawn = mode_ == 0 ? Drawn::Natural : mode_ == 1 ? Drawn::Stretched : Drawn::Fitted;
    return {drawn, {width(), height()}};
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
    switch (mode_) {
        case 0:
            return {0, 0, natural_.width, natural_.height};
        case 1:
            return rect();
        default: {
            const auto drawn = codecs::ShrinkToFit(natural_, {width(), height()});
            return {(width() - drawn.width) / 2, (height() - drawn.height) / 2, drawn.width,
                    drawn.height};
        }
    }
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
