#pragma once

#include <memory>

namespace kobalin {

struct RunData;
class TBewerkcommentaar;
class TForm5;
class TLayeredit;
class Ttaalkeus;

// The program's four windows, created once in this order. The wizard window is
// the main window and owns the three dialogs, which are shown modally as needed.
struct Windows {
    std::unique_ptr<TForm5> Form5;
    Ttaalkeus* taalkeus = nullptr;
    TBewerkcommentaar* Bewerkcommentaar = nullptr;
    TLayeredit* Layeredit = nullptr;

    Windows();
    Windows(Windows&&) noexcept;
    Windows& operator=(Windows&&) noexcept;
    ~Windows();
};

Windows createWindows(RunData& run);

}  // namespace kobalin
