// The host unloads the real plug-in module and loads it again: the new instance starts from
// scratch and reads the settings file the old one wrote at termination.
#include "host/session/DialogUser.h"
#include "host/session/PluginDialogItems.h"
#include "host/session/PluginModule.h"
#include "host/standin/HostDialogs.h"
#include "host/standin/HostMainWindow.h"
#include "settings/SettingsFolderFixture.h"

#include <string>

namespace {

using namespace PluginDialogItems;

class PluginReloadTest : public SettingsFolderFixture {
protected:
    // Loads the module and runs the host's start-up conversation with it.
    void Start(PluginModule& plugin) {
        std::string error;
        ASSERT_TRUE(plugin.Load(CALVEX_PLUGIN_MODULE, error)) << error;
        plugin.version(host.Version());
        std::uint32_t flags = 0;
        plugin.init(nullptr, &flags);
    }

    HostMainWindow mainWindow;
};

TEST_F(PluginReloadTest, ANewlyLoadedModuleShowsWhatTheUnloadedOneSaved) {
    PluginModule plugin;
    Start(plugin);
    plugin.invoke(host.MainWindow());
    DialogUser first(HostDialogs::Instance().Newest());
    ASSERT_TRUE(first.IsOpen());
    ASSERT_TRUE(first.SelectItem(kModePopup, 1));
    ASSERT_TRUE(first.SelectItem(kScopePopup, 2));
    plugin.terminate();
    plugin.Unload();
    EXPECT_EQ(HostDialogs::Instance().Newest(), nullptr) << "termination closed the dialog";
    EXPECT_NE(ReadBytes(SettingsPath()).find("ZRSTPOL_SPACINGMODE=1\r\n"), std::string::npos);

    Start(plugin);
    plugin.invoke(host.MainWindow());
    DialogUser second(HostDialogs::Instance().Newest());
    ASSERT_TRUE(second.IsOpen());
    EXPECT_EQ(second.Selection(kModePopup), 1);
    EXPECT_EQ(second.Selection(kScopePopup), 2);
    plugin.terminate();
    plugin.Unload();
}

} // namespace
