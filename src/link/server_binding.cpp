#include "link/server_binding.h"

#include "shell/app_state.h"
#include "shell/config_file.h"
#include "shell/message_box.h"

int StartupBinding(LabelTable& /*fetched*/) {
    if (!ReadConfigFile(g_app.configPath, g_app.image)) {
        ShowMessage(g_app.mainWindow, "Data file vkc.cfg not present.", "Fatal error");
        return 0;
    }
    if (g_app.image.ServerConnection() == 0) {
        FillDefaultAssociateNames(g_app.image);
        return 0;
    }
    return 0;
}
