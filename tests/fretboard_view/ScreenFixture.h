#pragma once
// The fretboard panel on its own, sounding through an engine of its own that
// only the test renders, in a bundle of links to the built one.
#include "catalogue/FretPattern.h"
#include "fretboard/FretboardPanel.h"
#include "fretboard/model/FretLabel.h"
#include "platform/ActivityIndicator.h"
#include "platform/Bundle.h"
#include "platform/Button.h"
#include "platform/Images.h"
#include "platform/MainQueue.h"
#include "platform/audio/AudioEngine.h"

#include <QCoreApplication>
#include <QLabel>
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace fretboardtest {

namespace fs = std::filesystem;

// The built bundle's files as links. It is the main bundle while it lives.
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
            if (entry.path().extension() != ".jpg")
                fs::create_symlink(entry.path(), directory_ / entry.path().filename());
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

// A pattern from six fret texts, string 1 first; texts that are no fret
// texts count as strings not played, as on the labels.
inline catalogue::FretPattern frets(const std::array<std::string, 6>& texts)
{
    return fretboard::patternOfTexts(texts);
}

class Fretboard : public ::testing::Test {
protected:
    struct Tap {
        QObject* sender;
        std::string labels; // "x,1,0,2,3,x" when the tap was reported
        bool sounding;      // whether the chord had started by then
    };

    static void SetUpTestSuite() { bundle_ = new ScreenBundle; }
    static void TearDownTestSuite()
    {
        delete bundle_;
        bundle_ = nullptr;
    }

    void SetUp() override
    {
        host = std::make_unique<QWidget>();
        panel = new fretboard::FretboardPanel(host.get());
        panel->useAudioEngine(engine);
        soundSwitch = new platform::Button(host.get());
        soundSwitch->setTag(1);
        replay = new platform::Button(host.get());
        clearAll = new platform::Button(host.get());
        panel->attachControls(soundSwitch, replay, clearAll);
        QObject::connect(panel, &fretboard::FretboardPanel::fretTapped, [this](QObject* sender) {
            taps.push_back({sender, pattern(), anyPlaying()});
        });
        QObject::connect(
            panel, &fretboard::FretboardPanel::labelsEdited,
            [this](const catalogue::FretPattern& labels) { edits.push_back(labels.format()); });
        panel->setRoot("C ");
        panel->setLabels(frets({" ", "1", "0", "2", "3", " "}));
    }
    void TearDown() override
    {
        host.reset();
        platform::drainMainQueue();
    }

    std::string pattern() const { return panel->labels().format(); }
    // Marked positions in string then fret order: "C2C1:T C3C0:B", T for the
    // root mark, B for the ball; any other image by its name.
    std::string marks() const
    {
        std::string out;
        for (int string = 1; string <= 6; ++string)
            for (int fret = 0; fret <= 15; ++fret) {
                const std::string image = panel->fretButton({string, fret})->imageName();
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
        for (int string = 1; string <= 6; ++string)
            for (int fret = 0; fret <= 15; ++fret)
                count += panel->fretButton({string, fret})->title().has_value();
        return count;
    }
    bool anyPlaying()
    {
        for (int string = 1; string <= 6; ++string)
            for (int fret = 0; fret <= 15; ++fret)
                if (auto* player = panel->sampleBank().player(string, fret))
                    if (player->isPlaying())
                        return true;
        return false;
    }
    platform::Button* button(const char* name) { return panel->fretButtonNamed(name); }

    void load()
    {
        panel->LoadAudioSessions();
        platform::drainMainQueue();
        silence();
    }
    // Lets every note still sounding run out.
    void silence()
    {
        std::vector<float> buffer(platform::AudioEngine::kBufferFrames *
                                  platform::AudioEngine::kChannels);
        do
            engine->render(buffer.data(), platform::AudioEngine::kBufferFrames);
        while (engine->soundingVoices() > 0);
    }
    // Notes that sound in the next buffer.
    int startedVoices()
    {
        std::vector<float> buffer(platform::AudioEngine::kBufferFrames *
                                  platform::AudioEngine::kChannels);
        engine->render(buffer.data(), platform::AudioEngine::kBufferFrames);
        return engine->soundingVoices();
    }

    static ScreenBundle* bundle_;
    std::shared_ptr<platform::AudioEngine> engine = std::make_shared<platform::AudioEngine>();
    std::unique_ptr<QWidget> host;
    fretboard::FretboardPanel* panel = nullptr;
    platform::Button* soundSwitch = nullptr;
    platform::Button* replay = nullptr;
    platform::Button* clearAll = nullptr;
    std::vector<Tap> taps;
    std::vector<std::string> edits;
};

inline ScreenBundle* Fretboard::bundle_ = nullptr;

} // namespace fretboardtest
