@echo off
rem Tavrin's build script: assembles the source that Compile hands over into a TI-83
rem program. Tavrin passes the saved source's path without its ".z80", unquoted, so a
rem path with spaces arrives as several parameters: the whole of %* is the path.
rem On success the window closes at once; on failure it stays open with the
rem assembler's messages until a key is pressed, and the script exits with 1.
rem Paths are used only inside quotes, where ( ) & and spaces are plain characters.
setlocal
set "base=%*"
if not defined base goto nosource
if not exist "%~dp0tavasm.exe" goto noassembler
if not exist "%base%.z80" goto nosourcefile
"%~dp0tavasm.exe" "%base%.z80" "%base%.83p"
if errorlevel 1 goto failed
exit /b 0

:nosource
echo go.bat was started without a source: Compile in Tavrin passes the path of the
echo saved source without its .z80.
goto failed

:nosourcefile
echo The source was not found: "%base%.z80"
echo The signs ^& ^^ and %% in a folder or file name do not reach go.bat whole:
echo save the source in a folder whose path has none of them.
goto failed

:noassembler
echo The assembler is missing: "%~dp0tavasm.exe"
goto failed

:failed
echo.
echo The build failed: no new .83p was written. Press a key to close this window.
pause >nul
exit /b 1
