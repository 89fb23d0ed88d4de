#pragma once

#include <string>
#include <vector>

#include "connection/vrlcom.h"

// Keeps what the registered controls would show.
class RecordingView : public vrl::com::View {
  public:
    explicit RecordingView(int leds = 9) : leds(static_cast<std::size_t>(leds), Led::Untouched) {}

    enum class Led { Untouched, Off, Green, Red };

    void showPort(int p) override { port = p; }
    void showPicture(int value) override { picture = value; }
    void showAddress(char a) override { address = a; }
    void showError(int c, std::string_view t) override {
        code = c;
        text = t;
        ++errorShows;
    }
    void showIdText(std::string_view t) override { idText = t; }
    int addressLedCount() const override { return static_cast<int>(leds.size()); }
    void showAddressLed(int index, vrl::com::AddressLed state) override {
        leds.at(static_cast<std::size_t>(index)) = state == vrl::com::AddressLed::Off ? Led::Off
                                                   : state == vrl::com::AddressLed::Found
                                                       ? Led::Green
                                                       : Led::Red;
    }
    void showScanText(std::string_view t) override { scanTexts.emplace_back(t); }

    int port = -1;
    int picture = -1;
    char address = 0;
    int code = 1;
    std::string text = "untouched";
    int errorShows = 0;
    std::string idText = "untouched";
    std::vector<Led> leds;
    std::vector<std::string> scanTexts;
};
