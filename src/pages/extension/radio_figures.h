#pragma once

// What the radio chip's register fields come to with its 26 MHz crystal: the figures the
// radio parameter page shows beside the fields they follow from.

// Receiver channel filter bandwidth in kHz.
double ChannelBandwidthKHz(int chanBwE, int chanBwM);
// Data rate in kbit/s.
double DataRateKbps(int drateE, int drateM);
// Spacing between channels in kHz.
double ChannelSpacingKHz(int chanSpcE, int chanSpcM);
// Wake-on-radio period (Event 0) in seconds, from the two EVENT0 bytes and WOR_RES.
double Event0Seconds(int event0High, int event0Low, int worRes);
// Time from Event 0 to Event 1 in milliseconds.
double Event1Ms(bool worAutosync, int event1);
// The factor C of the receive timeout EVENT0 · C microseconds; 0 for RX_TIME 7, which
// receives until the end of the packet.
double RxTimeFactor(int rxTime, int worRes);
