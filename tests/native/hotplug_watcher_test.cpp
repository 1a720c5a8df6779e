#include "app/dialog_title.h"
#include "app/hotplug_watcher.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
// A template built unit by unit, stored little-endian as in a resource.
class CTemplate {
  public:
    CTemplate& Units(std::initializer_list<uint16_t> units) {
        for (uint16_t unit : units) {
            m_bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
            m_bytes.push_back(static_cast<uint8_t>(unit >> 8));
        }
        return *this;
    }
    CTemplate& Text(const std::u16string& text) {
        for (char16_t c : text)
            Units({static_cast<uint16_t>(c)});
        return Units({0});
    }
    CTemplate& StandardHeader() { return Units({0x00C0, 0x80C8, 0, 0, 0, 0, 0, 10, 20}); }
    CTemplate& ExtendedHeader() {
        return Units({1, 0xFFFF, 0, 0, 0, 0, 0x00C0, 0x80C8, 0, 0, 0, 10, 20});
    }
    std::wstring Title(size_t cut = 0) const {
        return DialogTemplateTitle(m_bytes.data(), m_bytes.size() - cut);
    }
    size_t Size() const { return m_bytes.size(); }

  private:
    std::vector<uint8_t> m_bytes;
};

TEST(DialogTemplateTitle, SkipsMenuAndClassInEachOfTheirForms) {
    EXPECT_EQ(CTemplate().StandardHeader().Units({0, 0}).Text(u"Safely Remove").Title(),
              L"Safely Remove");
    EXPECT_EQ(CTemplate().StandardHeader().Units({0xFFFF, 7, 0xFFFF, 0x8002}).Text(u"T").Title(),
              L"T");
    EXPECT_EQ(CTemplate().StandardHeader().Text(u"MENU").Text(u"#32770").Text(u"Title").Title(),
              L"Title");
    EXPECT_EQ(CTemplate().StandardHeader().Units({0xFFFF, 3}).Text(u"Cls").Text(u"X y").Title(),
              L"X y");
}

TEST(DialogTemplateTitle, ExtendedTemplatesHaveTheLongerHeader) {
    EXPECT_EQ(CTemplate().ExtendedHeader().Units({0, 0}).Text(u"Extended").Title(), L"Extended");
}

TEST(DialogTemplateTitle, EmptyTitleGivesEmptyText) {
    EXPECT_EQ(CTemplate().StandardHeader().Units({0, 0, 0}).Title(), L"");
}

TEST(DialogTemplateTitle, TruncatedTemplatesNeverReadPastTheEnd) {
    const CTemplate full = CTemplate().StandardHeader().Text(u"M").Units({0xFFFF, 5}).Text(u"Ab");
    ASSERT_EQ(full.Title(), L"Ab");
    // Every shorter cut, odd byte counts included, ends before the title's terminator.
    for (size_t cut = 1; cut <= full.Size(); ++cut)
        EXPECT_EQ(full.Title(cut), L"") << cut;
    EXPECT_EQ(DialogTemplateTitle(nullptr, 40), L"");
    EXPECT_EQ(CTemplate().StandardHeader().Units({0xFFFF}).Title(), L"");
}

// Stops after a given number of questions; records passes.
class CFakeHotplugWindows : public IHotplugWindows {
  public:
    explicit CFakeHotplugWindows(int stopAtQuestion) : m_nStopAt(stopAtQuestion) {}
    std::vector<std::string> steps;

    bool StopRequested() override { return ++m_nQuestions >= m_nStopAt; }
    void CloseWindowTitled(const std::wstring& title) override {
        steps.push_back("close " + std::string(title.begin(), title.end()));
    }
    void Pause(uint32_t milliseconds) override {
        steps.push_back("pause " + std::to_string(milliseconds));
    }

  private:
    int m_nStopAt;
    int m_nQuestions = 0;
};

TEST(HotplugWatcher, ClosesAndPausesEveryPassUntilStopped) {
    CFakeHotplugWindows windows(3);
    EXPECT_EQ(RunHotplugWatcher(L"Remove", windows), 0u);
    EXPECT_EQ(windows.steps,
              (std::vector<std::string>{"close Remove", "pause 25", "close Remove", "pause 25"}));
}

TEST(HotplugWatcher, EndsAtOnceWithoutTitleOrWhenAlreadyStopped) {
    CFakeHotplugWindows noTitle(100);
    RunHotplugWatcher(L"", noTitle);
    EXPECT_TRUE(noTitle.steps.empty());
    CFakeHotplugWindows stopped(1);
    RunHotplugWatcher(L"Remove", stopped);
    EXPECT_TRUE(stopped.steps.empty());
}
} // namespace
