@echo off
rem Starts the development shop server with the demo shop, to try the till without
rem a shop server. The demo shop's data (its sales, stock and customers) is kept in
rem your own profile, in a copy of the demo shop made on the first start:
rem %LOCALAPPDATA%\VARENKO demo shop (delete that folder to start again).
rem A terminal that has never been started is set up to work with this server.
rem Close this window to stop the server.
setlocal
set "shop=%LOCALAPPDATA%\VARENKO demo shop"
if not exist "%shop%\shop.txt" xcopy "%~dp0demo" "%shop%\" /e /i /q >nul
rem From the install folder, where the terminal's logos are.
cd /d "%~dp0.."
"%~dp0shopserver.exe" "%shop%" --provision-terminal
"%~dp0shopserver.exe" "%shop%"
