#include "app/SecondViewController.h"
#include "app/Storyboard.h"
#include "platform/Bundle.h"
#include "platform/Log.h"
#include "platform/Window.h"
#include "support/FocusStops.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

TEST(About, OutletsConnectAndLinksDoNothing)
{
    auto about = std::make_shared<app::SecondViewController>();
    ASSERT_NE(about->view(), nullptr);
    for (const char* name :
         {"label_desenvolvedor", "label_dicionario", "label_musico", "label_textoapps"})
        EXPECT_NE(about->outlet<QLabel>(name), nullptr) << name;
    for (const char* name : {"texto_desenvolvedor", "texto_dicionario", "texto_musico"})
        EXPECT_NE(about->outlet<QTextEdit>(name), nullptr) << name;
    platform::LogCapture log;
    QTest::mouseClick(about->outlet<QAbstractButton>("buttonVelmora"), Qt::LeftButton);
    QTest::mouseClick(about->outlet<QAbstractButton>("buttonApps"), Qt::LeftButton);
    EXPECT_TRUE(log.lines().empty());
}

TEST(About, OpensFromTheMainScreenAndClosesWithEscape)
{
    auto window = std::make_shared<platform::Window>();
    auto main = app::makeMainStoryboard();
    window->setRootViewController(main);
    window->show();
    QTest::mouseClick(main->outlet<QAbstractButton>("buttonSobre"), Qt::LeftButton);
    ASSERT_NE(dynamic_cast<app::SecondViewController*>(main->presentedViewController()), nullptr);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(main->presentedViewController(), nullptr);
}

// The samples are made from FluidR3_GM, whose MIT licence asks that its
// copyright and permission notice go with copies: the notice lies in the
// bundle beside the samples, and the about screen names the SoundFont and its
// authors.
TEST(About, TheSoundFontsNoticeShipsWithTheSamplesAndIsCredited)
{
    const auto notice =
        platform::Bundle::main().contentsOfResource("FluidR3_GM-LICENSE", "txt", 64 * 1024);
    ASSERT_TRUE(notice) << notice.error();
    ASSERT_TRUE(platform::Bundle::main().pathForResource("C6-003", "mp3"));
    for (const char* part :
         {"Copyright (c) 2000-2002, 2008 Frank Wen", "Copyright (c) 2008 Toby Smithe",
          "Permission is hereby granted, free of charge",
          "The above copyright notice and this permission notice shall be\nincluded",
          "THE SOFTWARE IS PROVIDED \"AS IS\""})
        EXPECT_NE(notice->find(part), std::string::npos) << part;

    auto about = std::make_shared<app::SecondViewController>();
    const QString credits = about->outlet<QTextEdit>("texto_desenvolvedor")->toPlainText();
    for (const char* name : {"FluidR3_GM", "Frank Wen", "Toby Smithe", "MIT"})
        EXPECT_TRUE(credits.contains(QLatin1String(name))) << name;
}

// Keyboard focus shows on every stop of the about screen, in the dark look.
TEST(About, EveryFocusStopShowsItsFocus)
{
    testsupport::DarkLook dark;
    auto about = std::make_shared<app::SecondViewController>();
    about->view()->resize(1164, 800);
    about->view()->show();
    about->view()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(about->view()));
    const testsupport::FocusStops round = testsupport::tabRound(about->view());
    EXPECT_TRUE(round.comesRound);
    EXPECT_EQ(round.unseen, std::vector<std::string>{});
}
