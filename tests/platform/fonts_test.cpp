// Fonts by family: one not installed is loaded from the bundle's
// "<family>.ttf"; without that file the default family stands in, said once.
#include "platform/Bundle.h"
#include "platform/Fonts.h"
#include "platform/Log.h"
#include "support/TempFolder.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <gtest/gtest.h>

#include <fstream>

namespace {

// Points the main bundle at a scratch folder for one test.
class ScratchBundle {
public:
    ScratchBundle() : previous_(platform::Bundle::main().directory())
    {
        platform::Bundle::setMainBundleDirectory(folder_.path().string());
    }
    ~ScratchBundle() { platform::Bundle::setMainBundleDirectory(previous_); }
    const std::filesystem::path& path() const { return folder_.path(); }

private:
    std::string previous_;
    testsupport::TempFolder folder_;
};

TEST(Fonts, TheChordFontIsTheBundlesAndNeedsNoFallback)
{
    platform::LogCapture log;
    const QFont font = platform::fontWithName("OpusChordsStd", 40.0);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("OpusChordsStd"));
    EXPECT_EQ(font.pixelSize(), 40);
    EXPECT_TRUE(log.lines().empty());
}

TEST(Fonts, AFamilyWithNoFileFallsBackAndSaysSoOnce)
{
    ScratchBundle bundle;
    std::ofstream(bundle.path() / "Quebrada.ttf") << "not a font";
    const std::string fallback = QGuiApplication::font().family().toStdString();
    {
        platform::LogCapture log;
        const QFont font = platform::fontWithName("SemArquivo", 20.0);
        platform::fontWithName("SemArquivo", 18.0);
        EXPECT_EQ(font.family().toStdString(), fallback);
        EXPECT_EQ(log.lines(), std::vector<std::string>{"Fonte \"SemArquivo\" não instalada; "
                                                        "usando a fonte padrão \"" +
                                                        fallback + "\""});
    }
    {
        // A file that is no font is named in the log, and the default stands in.
        platform::LogCapture log;
        const QFont font = platform::fontWithName("Quebrada", 20.0);
        EXPECT_EQ(font.family().toStdString(), fallback);
        ASSERT_EQ(log.lines().size(), 2u);
        EXPECT_NE(log.lines()[0].find("Quebrada.ttf"), std::string::npos);
        EXPECT_EQ(log.lines()[1].rfind("Fonte \"Quebrada\" não instalada", 0), 0u);
    }
}

} // namespace
