#include "platform/window/FontResolver.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QList>
#include <QStringList>

#include <gtest/gtest.h>

using window::ResolveFont;

namespace {

bool WritesChinese(const QString& family) {
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese);
}

TEST(FontResolverTest, MissingCalligraphicFaceFallsBackToAKaiFace) {
    // "华文行楷" in GBK: a face this machine does not have.
    const runtime::FontForm form{29, 400, "\xBB\xAA\xCE\xC4\xD0\xD0\xBF\xAC", true};
    const QFont font = ResolveFont(form, QFont());
    EXPECT_EQ(font.pixelSize(), 29);
    EXPECT_EQ(font.weight(), QFont::Normal);
    ASSERT_FALSE(font.families().isEmpty());
    const QString family = font.families().front();
    EXPECT_TRUE(WritesChinese(family)) << family.toStdString();
    EXPECT_TRUE(family.contains("Kai", Qt::CaseInsensitive)) << family.toStdString();
}

TEST(FontResolverTest, DefaultFaceWithGb2312WritesChinese) {
    const QFont font = ResolveFont({21, 700, {}, true}, QFont());
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(WritesChinese(QFontInfo(font).family())) << QFontInfo(font).family().toStdString();
}

}  // namespace
