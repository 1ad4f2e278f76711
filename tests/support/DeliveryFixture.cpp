#include "support/DeliveryFixture.h"

#include <algorithm>

#include "core/delivery/HotSyncInstall.h"
#include "core/services/ApplicationTitle.h"
#include "core/services/RegAPI.h"
#include "core/services/SettingNames.h"

namespace trovique::test {

namespace fs = std::filesystem;

DeliveryFixture::DeliveryFixture() {
    for (const char* palette : {"Palm256Color.pal", "PalmMonochrome.pal", "Palm4Color.pal"}) {
        fs::copy_file(BinDir() / palette, program_ / palette);
    }
    fs::create_directories(program_ / "DATA");
    WriteAllBytes(ViewerPath(), ViewerBytes());
    WriteAllBytes(files_ / "Talk.ppt", {'p', 'p', 't'});
    application_ = std::make_unique<CApplication>(Settings(), program_.Path());
    for (int slide = 0; slide < 2; ++slide) {
        source_.AddSlide({});
    }
}

fs::path DeliveryFixture::ViewerPath() const {
    return program_ / "DATA" / "TROVIQUE.PRC";
}

const std::vector<unsigned char>& DeliveryFixture::ViewerBytes() {
    static const std::vector<unsigned char> bytes = {'T', 'R', 'O', 'V', 'I', 'E', 'W', 0, 1, 2};
    return bytes;
}

void DeliveryFixture::RegisterPalmDesktop(const fs::path& folder) {
    CRegAPI registry(Settings());
    registry.SetRootKey(CRegAPI::kHKeyCurrentUser);
    registry.SetBasePath(kPalmDesktopBasePath);
    registry.SaveSetting(kPalmDesktopApplication, kPalmDesktopSection, kPalmDesktopPathKey,
                         folder.string());
}

void DeliveryFixture::SetWaitSeconds(const std::string& value) {
    Settings().Set(std::string(kApplicationTitle), settings::kSettings,
                   settings::kMaxInstAppWaitSeconds, value);
}

DeliveryContext DeliveryFixture::Context(IProcessRunner& runner) {
    return DeliveryContext{*application_, source_, runner, temp_.Path().string(), {}};
}

std::vector<std::string> FileNamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace trovique::test
