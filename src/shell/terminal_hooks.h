// Steps of the start-up and server sequences whose owners are not built yet. Each is
// called where it belongs and does nothing until its feature arrives.
#pragma once

// Fetches the stock pictures and lays out the category buttons (picture buttons).
void TransferPicturesAndLoadButtons();
// Repaints the category-button area when it is visible (main window).
void RepaintCategoryButtons();
// Runs the associate logon until it succeeds (logon).
void LogOnUntilSuccess();
