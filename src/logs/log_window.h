// The log viewer ("logedit") and the printed log, on screen and on the printer. The
// windows and pages are worked out by logs/log_viewer.h.
#pragma once

// "Display log for today" (1055): the viewer on today's day file, made when missing.
void DisplayTodaysLog();
// "Display previous log file" (3007): asks for the day, then the viewer on its file.
void DisplayPreviousLog();
// "Print log" for today (1060, and "Exit - print log" 1003 before the program ends).
void PrintTodaysLog();
// "Print log for a day" (1048): asks for the day, then prints its file.
void PrintLogForDay();
