#include "app/SecondViewController.h"
#include "app/Storyboard.h"
#include "platform/Log.h"
#include "platform/Window.h"

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
