#include "platform/window/FontResolver.h"

#include <QFontDatabase>
#include <QStringList>

#include "platform/window/GbkText.h"

namespace window {

namespace {

QStringList ChineseFamilies() {
    return QFontDatabase::families(QFontDatabase::SimplifiedChinese);
}

QString FirstMatching(const QStringList& families, const QStringList& hints) {
    for (const QString& hint : hints) {
        for (const QString& family : families) {
            if (family.contains(hint, Qt::CaseInsensitive)) {
                return family;
            }
        }
    }
    return {};
}

QString ChooseFamily(const runtime::FontForm& form, const QFont& base) {
    const QString face = QStringFromGbk(form.face);
    if (!face.isEmpty() && QFontDatabase::hasFamily(face)) {
        return face;
    }
    const QStringList chinese = ChineseFamilies();
    if (!face.isEmpty()) {
        // A calligraphic face is closest to another brush-style face.
        const QString kai = FirstMatching(chinese, {"UKai", "Kai", QString::fromUtf8("楷")});
        if (!kai.isEmpty()) {
            return kai;
        }
    } else if (!form.gb2312CharSet || chinese.contains(base.family())) {
        return base.family();
    } else {
        // The platform's default face for this character set is a plain Song face; a plain
        // sans face reads closest to it on screen.
        const QString plain =
            FirstMatching(chinese, {"Song", "Ming", "Zen Hei", "Sans CJK", "Hei"});
        if (!plain.isEmpty()) {
            return plain;
        }
    }
    return chinese.isEmpty() ? base.family() : chinese.front();
}

}  // namespace

QFont ResolveFont(const runtime::FontForm& form, const QFont& base) {
    QFont font = base;
    if (form.pixelSize > 0) {
        font.setPixelSize(form.pixelSize);
    }
    font.setWeight(static_cast<QFont::Weight>(form.weight));
    font.setFamilies({ChooseFamily(form, base)});
    return font;
}

}  // namespace window
