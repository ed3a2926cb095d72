// One long scripted session over a folder of names, folders and pictures of many kinds, in every
// view and geometry, against its approved transcript: each step's presented frame and PickMap (as
// digests), sleeps, view and selection. The transcript was approved by looking at the frames
// (VM_SESSION_FRAMES=folder writes them as PPM files); VM_RECORD=1 writes a new one.
#include <fcntl.h>
#include <sys/file.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <sstream>

#include "approved_record.h"
#include "browser/list_view.h"
#include "menu_scenario.h"
#include "pictures/picture_files.h"
#include "pictures/texture_loader.h"
#include "shell/menu_bar.h"
#include "shell/virtual_keys.h"

namespace {

// The MenuBar's command ids.
constexpr uint32_t kThumbnailsId = 1200000, kBracketLeftId = 1200001, kBracketRightId = 1200002,
                   kCenterCenterId = 1200003, kFirstThumbSizeId = 1200004, kF5Id = 1200010, kColumnWidthId = 1200014,
                   kEscapeId = 1200015;
constexpr int32_t kBarStripRows = 30;

const fs::path kTranscript = fs::path(VM_SOURCE_DIR) / "tests/shell/session_frames.txt";
const fs::path kPictures = fs::path(VM_SOURCE_DIR) / "fuzz/corpus/picture_decode";
// On tmpfs, so that the listing order is the same on every machine with the same kernel.
const fs::path kFolder = "/dev/shm/vestramenu-session";

void WriteFrame(const std::string& folder, int32_t step) {
  const auto& frame = headless::Backend().lastFrame;
  const int32_t w = headless::Backend().lastFrameWidth, h = headless::Backend().lastFrameHeight;
  std::ofstream out(folder + "/" + std::to_string(1000 + step) + ".ppm", std::ios::binary);
  out << "P6 " << w << " " << h << " 255\n";
  for (int32_t y = h - 1; y >= 0; --y)
    for (int32_t x = 0; x < w; ++x) out.write(reinterpret_cast<const char*>(&frame[4 * (y * w + x)]), 3);
}

// The folder the session walks through, made anew; the listing in the platform's order.
std::string MakeFolder() {
  fs::remove_all(kFolder);
  fs::create_directories(kFolder / "Films" / "Old");
  std::ofstream(kFolder / "Films" / "reel.avi") << "x";
  for (int32_t i = 1; i <= 70; ++i) std::ofstream(kFolder / ("track " + std::to_string(i) + ".mp3")) << "x";
  for (const char* name : {"Caf\xC3\xA9 \xE2\x82\xAC.mp3", "caf\xE9 1252.ogg", "a name long enough to run past "
                           "the end of its column, and the text buffer as well, many times over and over.mkv"})
    std::ofstream(kFolder / name) << "x";
  for (const auto& picture : fs::directory_iterator(kPictures)) fs::copy(picture.path(), kFolder);
  using namespace testpictures;
  WriteFile(kFolder / "wide.bmp",
            EncodeBmp(Pattern(300, 120, {{255, 0, 0}, {0, 0, 255}, {255, 255, 255}, {0, 128, 0}, {9, 9, 9}})));
  WriteFile(kFolder / "tall.bmp", EncodeBmp(Pattern(40, 250, {{200, 100, 0}, {0, 0, 0}, {0, 255, 255}})));
  WriteFile(kFolder / "dot.bmp", EncodeBmp(Pattern(1, 1, {{255, 128, 0}})));
  std::ofstream(kFolder / "damaged.jpg") << "not a picture";
  std::ostringstream listing;
  for (const std::string& name : SearchOrder(kFolder)) {
    for (const unsigned char c : name) c < 0x80 ? listing << c : listing << "\\x" << std::hex << int{c} << std::dec;
    listing << "/";
  }
  return listing.str();
}

class SessionFrames : public MenuScenario {
 protected:
  void SetUp() override {
    // Two runs at once would share the folder, whose path shows in every frame.
    lock_ = open((kFolder.string() + ".lock").c_str(), O_CREAT | O_RDWR, 0600);
    flock(lock_, LOCK_EX);
    listing_ = MakeFolder();
    previous_ = fs::current_path();
    fs::current_path(kFolder);
    ResetMenuState();
    headless::Reset();
    headless::Backend().localTime = "13:07:00";
    headless::Backend().existingWindowTitles.push_back("Moxa3 video and audio player");
    StartMenu();
  }
  void TearDown() override {
    MenuScenario::TearDown();
    fs::remove_all(kFolder);
    close(lock_);
  }

  // The first Canvas point, from the top left, whose PickMap id is id; (-1, -1) when none has it.
  static std::pair<int32_t, int32_t> FirstPointOf(uint32_t id) {
    for (int32_t y = CanvasHeight - 1; y >= 0; --y)
      for (int32_t x = 0; x < CanvasWidth; ++x)
        if (PickIdAt(x, y) == id) return {x, y};
    return {-1, -1};
  }
  static void PressAt(int32_t x, int32_t y, int32_t key) {
    headless::PointAtCanvas(x, y);
    PressKey(key);
  }
  static void PressOn(uint32_t id, int32_t key) {
    const auto [x, y] = FirstPointOf(id);
    PressAt(x, y, key);
  }
  static void ClickId(uint32_t id) {
    const auto [x, y] = FirstPointOf(id);
    if (x >= 0) ClickAt(x, y);
  }
  // A right click on nothing in row y, right of everything the list draws there.
  static void ClickNothingAt(int32_t y) {
    int32_t x = CanvasWidth - 1;
    while (x > 0 && PickIdAt(x, y) != 0) --x;
    ClickAt(x, y);
  }
  // Clicks the entry's row until it opens: once when already selected, else twice.
  static void Open(const std::string& name) {
    const std::string shown = FolderPath;
    for (int i = 0; i < 2 && shown == FolderPath; ++i) ClickId(kFirstRowId + IndexOf(name));
  }
  static void Step(const std::string& label, const std::function<void()>& action) {
    headless::Backend().sleeps.clear();
    action();
    const Sleeps sleeps = headless::Backend().sleeps;
    RunIteration();  // the frame that shows what the step did
    std::ostringstream line;
    const auto& b = headless::Backend();
    line << label << " | frame " << (Digest(b.lastFrame.data(), b.lastFrame.size())) << " picks "
         << (Digest(PickMap, 4 * static_cast<size_t>(CanvasWidth) * CanvasHeight)) << " | " << CanvasWidth
         << "x" << CanvasHeight << " " << View() << " selected " << SelectedEntry << " first " << FirstThumb
         << " scroll " << ListScroll << " thumb " << ThumbSize.x << " step " << PictureLoader.ViewerStep
         << " pan " << PictureLoader.PanFactor << " minimised " << b.minimiseCount << " windows " << b.windowsCreated
         << " entries " << EntryTable.count << " quit " << QuitRequested << " boxes " << b.messageBoxes.size()
         << " current " << fs::current_path().string()
         << " starts " << b.programsStarted.size();
    if (!b.programsStarted.empty())  // the player's parameters split at spaces, a folder whole
      line << " [" << b.programsStarted.back().parameters << "] split " << int(b.programsStarted.back().split);
    line << " placed " << b.placements.size();
    if (!b.placements.empty())
      line << " at " << b.placements.back().left << "," << b.placements.back().top << " " << b.placements.back().width
           << "x" << b.placements.back().height;
    line << " sleeps";
    for (int32_t sleep : sleeps) line << " " << sleep;
    transcript_.push_back(line.str());
    if (const char* folder = std::getenv("VM_SESSION_FRAMES")) WriteFrame(folder, static_cast<int32_t>(transcript_.size()));
  }

  static inline std::vector<std::string> transcript_;
  std::string listing_;
  int lock_ = -1;
};

TEST_F(SessionFrames, EveryViewAndGeometryAsApproved) {
  transcript_ = {"listing " + listing_};
  Step("start", [] { Frames(2); });
  Step("one down", [] { PressKey(vk::Period); });
  Step("a page down", [] { PressKey(vk::RightShift); });
  Step("a page up", [] { PressKey(vk::LeftShift); });
  Step("one up", [] { PressKey(vk::Comma); });
  Step("columns twice as wide", [] { PressKey(vk::F); });
  Step("four times as wide", [] { PressKey(vk::F); });
  Step("columns back", [] { PressKey(vk::F); });
  Step("select a track", [] { ClickId(kFirstRowId + IndexOf("track 3.mp3")); });
  Step("launch it", [] { ClickId(kFirstRowId + IndexOf("track 3.mp3")); });
  Step("P launches it again", [] { PressKey(vk::P); });
  Step("a player window shown after the pause is not placed", [] {
    headless::Backend().existingWindowTitles.clear();
    PressKey(vk::P);
    headless::Backend().existingWindowTitles.push_back("Moxa3 video and audio player");
    Frames(3);
  });
  Step("select Films", [] { ClickId(kFirstRowId + IndexOf("Films")); });
  Step("P launches no folder", [] { PressKey(vk::P); });
  Step("open Films", [] { ClickId(kFirstRowId + IndexOf("Films")); });
  Step("P plays a film from Films", [] {
    ClickId(kFirstRowId + IndexOf("reel.avi"));
    PressKey(vk::P);
  });
  Step("select the parent", [] { ClickId(kFirstRowId + IndexOf("..")); });
  Step("back up", [] { ClickId(kFirstRowId + IndexOf("..")); });
  Step("the selected folder itself stays open", [] {
    for (const char* name : {"..", ".", "."}) ClickId(kFirstRowId + IndexOf(name));
  });
  Step("clock hidden", [] { PressKey(vk::Minus); });
  Step("clock shown", [] { PressKey(vk::Minus); });
  Step("bar hidden", [] { PressKey(vk::Digit0); });
  Step("bar shown", [] { PressKey(vk::Digit0); });
  Step("minimised", [] { PressKey(vk::D); });
  Step("anchored at the cursor", [] { PressAt(300, 200, vk::N); });
  Step("centred again", [] { ClickId(kCenterCenterId); });
  for (int32_t key : {vk::F8, vk::F5, vk::F6}) Step("geometry key " + std::to_string(key), [key] { PressKey(key); });
  Step("thumbnails", [] { PressKey(vk::T); });
  Step("P launches nothing from the grid", [] {
    SelectedEntry = IndexOf("track 3.mp3");
    PressKey(vk::P);
  });
  Step("N places only the list", [] { PressAt(300, 200, vk::N); });
  Step("next page", [] { PressKey(vk::BracketRight); });
  Step("previous page", [] { PressKey(vk::BracketLeft); });
  Step("] near the end shows the last entry first", [] {
    FirstThumb = EntryTable.count - 3;
    PressKey(vk::BracketRight);
  });
  Step("[ near the start shows the first", [] {
    FirstThumb = 5;
    PressKey(vk::BracketLeft);
  });
  for (uint32_t size = 0; size < 6; ++size)
    Step("thumb size label " + std::to_string(size), [size] { ClickId(kFirstThumbSizeId + size); });
  for (int32_t key : {vk::F8, vk::F6}) Step("grid geometry key " + std::to_string(key), [key] { PressKey(key); });
  Step("60 pixel cells", [] { ClickId(kFirstThumbSizeId); });
  // The viewer's steps on a wide picture and its pans on a tall one, near the Canvas centre.
  for (const auto& picture : {std::pair{"wide.bmp", "123456"}, std::pair{"tall.bmp", "789"}}) {
    const std::string name = picture.first;
    Step("view " + name, [name] { ClickId(4000 + IndexOf(name)); });
    for (const int32_t digit : std::string(picture.second))
      Step(name + " key " + char(digit), [digit] { PressAt(100 + digit * 10, 200 + digit * 5, digit); });
    Step("back to the grid", [] { ClickAt(10, 10); });
  }
  // A JPEG and a run-length encoded BMP, centred on the cursor (what every kind decodes to is
  // recorded by the damaged-files test).
  for (const std::string name : {"progressive_cmyk.jpg", "bmp_4bit_rle.bmp"})
    Step("view " + name, [name] {
      if (ViewMode == ViewModeKind::Viewer) ClickAt(10, 10), Frames(1);
      ClickId(4000 + IndexOf(name));
      PressAt(640, 480, vk::Digit0 + 7);
    });
  // The cursor beyond the window's corners places the picture by the nearest Canvas corner.
  for (const auto& [x, y] : {std::pair{-500, 5000}, {5000, -500}})
    Step("the cursor at " + std::to_string(x) + "," + std::to_string(y), [x, y] {
      headless::Backend().cursorX = x, headless::Backend().cursorY = y;
      Frames(1);
    });
  Step("back to the grid", [] { ClickAt(10, 10); });
  Step("a damaged picture stays in the grid", [] { ClickId(4000 + IndexOf("damaged.jpg")); });
  Step("a click in dot.bmp's cell above its picture", [] {
    const auto [x, y] = FirstPointOf(4000 + IndexOf("dot.bmp"));
    ClickAt(x, y + 20);
  });
  Step("a picture gone since the grid was drawn", [] {
    fs::remove(kFolder / "tall.bmp");
    ClickId(4000 + IndexOf("tall.bmp"));
  });
  // S makes the thumbnail under the cursor the first cell; a label keeps the page, nothing goes
  // back to the first entry.
  Step("S on a thumbnail", [] { PressOn(4000 + IndexOf("wide.bmp"), vk::S); });
  Step("S on a label", [] { PressOn(kF5Id, vk::S); });
  Step("S on nothing", [] { PressAt(0, 0, vk::S); });
  Step("list again", [] { PressKey(vk::T); });
  Step("S in the list does nothing", [] { PressOn(kFirstRowId + IndexOf("wide.bmp"), vk::S); });
  // Moved past the bottom of the screen, the list keeps its rows on the screen (221 and 222 leave
  // heights either side of a whole row).
  for (const int32_t top : {221, 222, 0})
    Step("M to " + std::to_string(top), [top] {
      headless::Backend().cursorX = top, headless::Backend().cursorY = top;
      PressKey(vk::M);
    });
  // The list's offset: kept by T and the bracket labels, dropped by the bracket keys.
  Step("anchored near the top", [] { PressAt(200, 699, vk::N); });  // leaves exactly 79 whole rows
  Step("T keeps the list's offset", [] { PressKey(vk::T); });
  Step("T gives it back", [] { PressKey(vk::T); });
  Step("BRACKETR from the list", [] { ClickId(kBracketRightId); });
  Step("BRACKETL in the grid", [] { ClickId(kBracketLeftId); });
  Step("THUMBNAILS back to the list", [] { ClickId(kThumbnailsId); });
  Step("] from the list drops the offset", [] { PressKey(vk::BracketRight); });
  Step("THUMBNAILS with a new file", [] {
    std::ofstream(kFolder / "new.mp3") << "x";
    ClickId(kThumbnailsId);
  });
  for (const char* view : {"grid", "list"}) Step(std::string("THUMBNAILS to the ") + view, [] { ClickId(kThumbnailsId); });
  for (const char* width : {"twice", "four times", "once"})
    Step(std::string("LF: columns ") + width + " as wide", [] { ClickId(kColumnWidthId); });
  Step("to the last entry and past it", [] {
    for (int i = 0; i < 5; ++i) PressKey(vk::RightShift);
    PressKey(vk::Period);
  });
  Step("the table's last row stays", [] {
    ListScroll = kMaxEntries;
    PressKey(vk::Period);
  });
  Step("to the first and past it", [] {
    while (ListScroll > 0) PressKey(vk::LeftShift);
    PressKey(vk::Comma);
  });
  Step("CENTERCENTER", [] { ClickId(kCenterCenterId); });
  Step("the bar strip on nothing", [] { ClickNothingAt(CanvasHeight - kBarStripRows); });
  Step("R reads the folder again", [] {
    fs::remove(kFolder / "new.mp3");
    PressKey(vk::R);
  });
  Step("empty space puts the list back and reads the folder again", [] {
    std::ofstream(kFolder / "new.ogg") << "x";
    ClickNothingAt(CanvasHeight - kBarStripRows - 1);
  });
  Step("ids no label has", [] {
    for (uint32_t id : {kThumbnailsId - 1, kEscapeId + 1, 4000u, 0xFFFFFFFFu}) DispatchCommand(id, 0);
  });
  // Labels and keys that change the window, in the list and in the viewer.
  for (uint32_t label : {kF5Id, kF5Id + 1, kF5Id + 3, kF5Id + 2})
    Step("label " + std::to_string(label), [label] { ClickId(label); });
  Step("thumbnails from dot.bmp", [] {
    ClickId(kFirstRowId + IndexOf("dot.bmp"));
    PressKey(vk::T);
  });
  Step("view dot.bmp, which undoes a pan key and a hidden bar", [] {
    for (const int32_t key : {vk::Digit0 + 9, vk::Digit0 + 0}) PressKey(key);
    ClickId(4000 + IndexOf("dot.bmp"));
  });
  Step("T in the viewer moves only the first thumbnail", [] {
    SelectedEntry = 7;
    PressKey(vk::T);
  });
  Step("F8 keeps the viewer", [] { PressKey(vk::F8); });
  Step("ESC's place in the viewer returns to the grid", [] { ClickAt(ViewOffset.x + 229, ViewOffset.y + CanvasHeight - 16); });
  Step("an odd screen width drops a column", [] {
    headless::Backend().screenWidth = 1367;
    PressKey(vk::F5);
  });
  Step("the full odd screen", [] { PressKey(vk::F8); });
  Step("half of a low screen holds one 400-pixel cell: pages move by one", [] {
    headless::Backend().screenWidth = 1300, headless::Backend().screenHeight = 924;
    PressKey(vk::F5);
    Frames(1);  // the grid's labels are drawn
    ClickId(kFirstThumbSizeId + 5);
    PressKey(vk::BracketRight);
  });
  // A folder that vanishes while shown keeps the menu running, and its parent still opens.
  Step("Films vanishes while shown", [] {
    PressKey(vk::T);
    Frames(1);  // the list's rows are drawn
    Open("Films");
    fs::remove_all(kFolder / "Films");
    PressKey(vk::R);
  });
  Step("its parent opens", [] { Open(".."); });
  Step("ESC", [] { ClickId(kEscapeId); });

  if (ReadRecord(kTranscript).at(0) != transcript_[0] && !std::getenv("VM_RECORD"))
    GTEST_SKIP() << "this filesystem lists the folder in another order: " << transcript_[0];
  if (!ExpectAsRecorded(kTranscript, transcript_)) GTEST_SKIP() << "recorded " << kTranscript;
}

}  // namespace
