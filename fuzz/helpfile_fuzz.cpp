// The help file: its topics written out again read back as the same topics, every topic is found
// by its number, and what the window shows stays within its bounds.
#include "catalogue/helpfile.h"
#include "fuzz/check.h"

namespace {
std::string WrittenOut(const std::vector<HelpTopic>& topics) {
    std::string file;
    for (const HelpTopic& topic : topics) {
        file += "[topic " + std::to_string(topic.Context) + "] " + topic.Title + "\r\n" +
                topic.Text + "\r\n";
    }
    return file;
}

bool SameTopics(const std::vector<HelpTopic>& a, const std::vector<HelpTopic>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].Context != b[i].Context || a[i].Title != b[i].Title || a[i].Text != b[i].Text) {
            return false;
        }
    }
    return true;
}

void CheckShown(const std::string& text) {
    const std::string shown = ShownTopicText(text);
    const bool cut = shown.size() > HelpShownBytes;
    const std::string page = cut ? shown.substr(0, shown.rfind("\n\n")) : shown;
    FUZZ_CHECK(page.size() <= HelpShownBytes);
    std::string joined;
    std::size_t start = 0;
    for (std::size_t end; start <= page.size(); start = end + 1) {
        end = page.find('\n', start);
        if (end == std::string::npos) end = page.size();
        FUZZ_CHECK(end - start <= HelpShownLineBytes);
        joined.append(page, start, end - start);
    }
    std::string unbroken = text;
    std::erase(unbroken, '\n');
    FUZZ_CHECK(unbroken.compare(0, joined.size(), joined) == 0);
    FUZZ_CHECK(cut || joined.size() == unbroken.size());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<HelpTopic> topics = ParseHelpFile(Bytes(data, size));
    FUZZ_CHECK(SameTopics(ParseHelpFile(WrittenOut(topics)), topics));
    for (std::size_t i = 0; i < topics.size(); ++i) {
        const HelpTopic& topic = topics[i];
        FUZZ_CHECK(topic.Context >= 0);
        FUZZ_CHECK(topic.Title.find_first_of("\r\n") == std::string::npos);
        FUZZ_CHECK(topic.Text.find('\r') == std::string::npos);
        FUZZ_CHECK(topic.Text.empty() || topic.Text.back() != '\n');
        const int found = FindHelpTopic(topics, topic.Context);
        FUZZ_CHECK(found >= 0 && found <= static_cast<int>(i) &&
                   topics[static_cast<std::size_t>(found)].Context == topic.Context);
        CheckShown(topic.Text);
    }
    return 0;
}
