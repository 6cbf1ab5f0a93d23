#pragma once
// The hint window of the whole program. Every hint is drawn with one face
// set explicitly - the form face - since the Windows "System" face does not
// exist here and the platform would pick any font in its place. Size,
// colours and timing stay the platform's.
#include <QFont>

namespace vq::print {

class TBigHintWindow {
public:
    // The face every hint is drawn in.
    static QFont font();
    // Makes the application's hints use it; once, at program start.
    static void install();
};

} // namespace vq::print
