// The .LSY reader on arbitrary bytes: it must neither crash nor hang nor grow without bound,
// and the writer's text of what it read must be a fixed point: read and written again, it is
// the same text with the same number of nodes.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "lsystem/lsy_file.h"
#include "lsystem/parser.h"
#include "system/presenter.h"

namespace {

using namespace pax;

// Answers every box at once and shows nothing.
class SilentPresenter : public Presenter {
public:
    int Show(const MessageRequest& request) override { return DefaultAnswer(request.buttons); }
    void SetClipboardText(std::string_view) override {}
};

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "lsy_reader_fuzz: %s\n", what);
    __builtin_trap();
}

constexpr tDate FixedDate{6, 11, 2024};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    InstallPresenter(std::make_unique<SilentPresenter>());
    std::string pattern = (std::filesystem::temp_directory_path() / "lsy_reader_fuzz_XXXXXX").string();
    if (mkdtemp(pattern.data())) SetParseErrorDirectory(pattern);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    tLsyFile file;
    tParseResult result = ReadLsyText(text, "fuzz.LSY", file);
    Check(result.opened, "text is always readable");
    Check(result.entries.size() == std::min<uint32_t>(result.errorCount, MaxListedErrors), "listed entries");
    Check(result.summary.empty() == (result.errorCount == 0), "summary exactly when errors");

    Check(file.Items().size() <= MaxLsyItems, "items are capped");
    // A capped file written with its new header line would be capped again elsewhere.
    if (file.Items().size() + 1 >= MaxLsyItems) return 0;

    const std::string once = LsyFileText(file, FixedDate);
    tLsyFile again;
    ReadLsyText(once, "once.LSY", again);
    Check(again.NodeCount() == file.NodeCount(), "written nodes read back as many");
    Check(LsyFileText(again, FixedDate) == once, "written text reads back to itself");
    for (const tVLSystem* node : again.Nodes()) {
        tLSDef def = ToLSDef(*node);
        Check(def.rules.size() <= MaxUsedRules, "at most 41 rules used");
    }
    return 0;
}
