#pragma once
// The real main screen controller over a layout that holds only the fretboard
// and the controls it works with, in a bundle of links to the built one.
#include "finder/FirstViewController.h"
#include "fretboard/FretboardView.h"
#include "fretboard/model/FretLabel.h"
#include "platform/Bundle.h"
#include "platform/Images.h"
#include "platform/MainQueue.h"
#include "platform/audio/AudioEngine.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace fretboardtest {

namespace fs = std::filesystem;

inline const char* const kLayout = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>FirstViewController</class>
 <widget class="QWidget" name="FirstViewController">
  <property name="geometry"><rect><x>0</x><y>0</y><width>1164</width><height>400</height></rect></property>
  <widget class="fretboard::FretboardView" name="fretboard">
   <property name="geometry"><rect><x>32</x><y>120</y><width>1100</width><height>230</height></rect></property>
  </widget>
  <widget class="QLineEdit" name="tonicaText"/>
  <widget class="platform::Button" name="AudioOnOff"/>
  <widget class="platform::Button" name="ButtonPaleta"/>
 </widget>
 <resources/>
 <connections/>
</ui>
)";

// The built bundle's files as links, with the layout above as the main
// screen's. It is the main bundle while it lives.
class ScreenBundle {
public:
    ScreenBundle()
        : built_(QCoreApplication::applicationDirPath().toStdString() + "/bundle"),
          directory_(fs::temp_directory_path() /
                     ("cifrario-fretboard-" + std::to_string(::getpid()))),
          previous_(platform::Bundle::main().directory())
    {
        fs::remove_all(directory_);
        fs::create_directories(directory_);
        // The chord photographs stay out: nothing here shows one, and a few
        // thousand links cost seconds in every test process.
        for (const auto& entry : fs::directory_iterator(built_))
            if (entry.path().filename() != "FirstViewController.ui" &&
                entry.path().extension() != ".jpg")
                fs::create_symlink(entry.path(), directory_ / entry.path().filename());
        std::ofstream(directory_ / "FirstViewController.ui") << kLayout;
        platform::Bundle::setMainBundleDirectory(directory_.string());
        platform::clearImageCache();
    }
    ~ScreenBundle()
    {
        platform::Bundle::setMainBundleDirectory(previous_);
        platform::clearImageCache();
        fs::remove_all(directory_);
    }

    // Takes a file out of the bundle until the returned guard goes.
    class Hidden {
    public:
        Hidden(const ScreenBundle& bundle, std::string file)
            : bundle_(bundle), file_(std::move(file))
        {
            fs::remove(bundle_.directory_ / file_);
        }
        ~Hidden() { fs::create_symlink(bundle_.built_ / file_, bundle_.directory_ / file_); }

    private:
        const ScreenBundle& bundle_;
        std::string file_;
    };
    Hidden hide(const std::string& file) const { return Hidden(*this, file); }

private:
    fs::path built_;
    fs::path directory_;
    std::string previous_;
};

// The main screen, noting each fret-pattern filter request with the labels at
// that moment and whether the chord was already sounding.
class RecordingScreen : public finder::FirstViewController {
public:
    struct FilterRequest {
        QObject* sender;
        std::string pattern;
        bool sounding;
    };
    std::vector<FilterRequest> filterRequests;

    void setFilterChord(QObject* sender) override
    {
        bool sounding = false;
        for (int string = 1; string <= 6; ++string)
            for (int fret = 0; fret <= 15; ++fret)
                if (auto* player = sampleBank.player(string, fret))
                    sounding = sounding || player->isPlaying();
        filterRequests.push_back({sender, pattern(), sounding});
    }

    // The six labels in compact form, "x,1,0,2,3,x".
    std::string pattern() const
    {
        std::array<std::string, 6> texts;
        for (std::size_t i = 0; i < texts.size(); ++i)
            texts[i] = cdr[i] ? cdr[i]->text().toStdString() : std::string("?");
        return fretboard::patternOfTexts(texts).format();
    }
    void setPattern(const std::array<std::string, 6>& frets)
    {
        for (std::size_t i = 0; i < frets.size(); ++i)
            cdr[i]->setText(QString::fromStdString(frets[i]));
    }

    // Marked positions in string then fret order: "C2C1:T C3C0:B", T for the
    // root mark, B for the ball; any other image by its name.
    std::string marks() const
    {
        std::string out;
        for (int string = 1; string <= 6; ++string)
            for (int fret = 0; fret <= 15; ++fret) {
                const std::string image = fretButton({string, fret})->imageName();
                if (image.empty())
                    continue;
                out += (out.empty() ? "" : " ") + fretboard::positionName({string, fret}) + ":" +
                       (image == "BallT.png"  ? "T"
                        : image == "Ball.png" ? "B"
                                              : image);
            }
        return out;
    }
    int titled() const
    {
        int count = 0;
        for (const auto& button : fretButtons)
            count += button->title().has_value();
        return count;
    }
};

class MainScreenFretboard : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        fretboard::registerFretboardWidgets();
        bundle_ = new ScreenBundle;
    }
    static void TearDownTestSuite()
    {
        delete bundle_;
        bundle_ = nullptr;
    }

    void SetUp() override
    {
        screen = std::make_shared<RecordingScreen>();
        ASSERT_NE(screen->view(), nullptr);
        platform::drainMainQueue();
        if (!screen->tonicaText)
            screen->tonicaText = screen->outlet<QLineEdit>("tonicaText");
        screen->tonicaText->setText("C ");
        screen->ClearNeck("*");
        screen->setPattern({" ", "1", "0", "2", "3", " "});
        silence();
    }
    void TearDown() override
    {
        screen.reset();
        platform::drainMainQueue();
    }

    // Lets every note still sounding in the shared engine run out.
    static void silence()
    {
        std::vector<float> buffer(platform::AudioEngine::kBufferFrames *
                                  platform::AudioEngine::kChannels);
        auto& engine = *platform::AudioEngine::shared();
        do
            engine.render(buffer.data(), platform::AudioEngine::kBufferFrames);
        while (engine.soundingVoices() > 0);
    }
    // Notes that begin sounding in the next buffer.
    static int startedVoices()
    {
        std::vector<float> buffer(platform::AudioEngine::kBufferFrames *
                                  platform::AudioEngine::kChannels);
        auto& engine = *platform::AudioEngine::shared();
        engine.render(buffer.data(), platform::AudioEngine::kBufferFrames);
        return engine.soundingVoices();
    }

    platform::Button* button(const char* name) { return screen->outlet<platform::Button>(name); }

    static ScreenBundle* bundle_;
    std::shared_ptr<RecordingScreen> screen;
};

inline ScreenBundle* MainScreenFretboard::bundle_ = nullptr;

} // namespace fretboardtest
