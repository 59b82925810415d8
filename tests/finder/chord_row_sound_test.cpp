// A chord row's tap: the chord is handed to the mix before its photograph is
// decoded, which takes about a millisecond the sound need not wait for.
#include "MainScreenFixture.h"
#include "fretboard/FretboardPanel.h"
#include "platform/audio/AudioEngine.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace {

// A main screen on an engine of its own that notes, for each photograph it
// shows, how many hand-overs the mix had had when the decode began.
class PhotoWatchingScreen : public finder::FirstViewController {
public:
    PhotoWatchingScreen() : FirstViewController(std::make_unique<FakePageFetcher>()) {}

    std::shared_ptr<platform::AudioEngine> engine = std::make_shared<platform::AudioEngine>();
    std::vector<std::pair<std::string, std::uint64_t>> photos;

    void viewDidLoad() override
    {
        fretboard()->useAudioEngine(engine);
        FirstViewController::viewDidLoad();
    }

protected:
    void showChordPhoto(const std::string& stem) override
    {
        photos.emplace_back(stem, engine->publications());
        FirstViewController::showChordPhoto(stem);
    }
};

} // namespace

TEST(ChordRowTap, HandsTheChordToTheMixBeforeDecodingItsPhoto)
{
    auto screen = std::make_shared<PhotoWatchingScreen>();
    screen->view();
    auto* chords = screen->outlet<finder::TableView>("tableViewCifras");
    auto* photo = screen->outlet<QLabel>("cifraImage");
    const auto record = (*screen->finder().shownList())[3];
    ASSERT_NE(record->Image, "DS1_0019"); // a photograph other than the start's
    const qint64 startPhoto = photo->pixmap().cacheKey();
    const std::uint64_t before = screen->engine->publications();
    screen->photos.clear();

    Q_EMIT chords->didSelectRow(3); // as a click on the row reaches the screen

    ASSERT_EQ(screen->photos.size(), 1u);
    EXPECT_EQ(screen->photos[0].first, record->Image);
    // The chord's notes reach the mix in one hand-over, made before the decode.
    EXPECT_EQ(screen->photos[0].second, before + 1);
    EXPECT_EQ(screen->engine->publications(), before + 1);
    EXPECT_NE(photo->pixmap().cacheKey(), startPhoto);
    EXPECT_FALSE(photo->pixmap().isNull());
}
