#include "shell/terminal_hooks.h"

void TransferPicturesAndLoadButtons() {}
void RepaintCategoryButtons() {}
void LogOnUntilSuccess() {}
