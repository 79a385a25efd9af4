#pragma once

// The page around the canvas (demo/web/shell.html): what the program tells
// it and asks of it. Calls from the main thread only.
namespace platform {

// Shows an error in the page's error element, in plain words.
void ShowPageError(const char* text);

// The show's state for window.zpdemoStatus.
void ReportShowStatus(bool precalcDone, double showTime, bool progressFrame);

// The show is over (or never started); the page offers to start it again,
// to watch it again when it played to its end.
void ReportShowEnded(int exitCode, bool reachedEnd);

// True while the page is hidden (another tab, a minimised window).
bool PageHidden();

// A frame read back in capture mode: width x height RGBA rows, bottom row
// first, as GL gives them. The page keeps it as a PNG for zpdemoFramePNG().
void HandOverCapturedFrame(const unsigned char* rgba, int width, int height);

}
