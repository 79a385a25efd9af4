#pragma once

#include "demo/Demo.h"

// The show in a page: it tells the page how far it is, and stands still
// while the page is hidden, where the browser slows the frames while the
// sound ring would go on looping.
class WebShow : public Demo {
public:
    bool Frame() override;
    // The time line ran out, rather than the viewer stopping the show.
    bool ReachedEnd() const { return reachedEnd; }

private:
    bool reachedEnd = false;
};
