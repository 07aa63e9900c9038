#pragma once

#include <QString>
#include <cstdint>

#include "link/lan_msg.h"

// The texts the journal builds from the data bytes of a message; each is a pure function of
// its bytes, so the message decoder and its tests can use them directly.

// Mode of the main module, one byte (command 7).
QString ShortModeText(uint8_t mode);
// Mode of the main module with its flags byte (command 7 with two bytes).
QString FullModeText(uint8_t mode, uint8_t flags);
// State of the tilt sensor (command 3 from module 23).
QString TiltText(uint8_t state);
// Engine block and immobilizer state (command 15).
QString EngineBlockText(uint8_t kind, uint8_t flags);
// A CAN or RS232 signal with its new state in bit 7 (command 19).
QString CanSignalText(uint8_t signal);
// Transmit power of the transceiver by mode (command 23).
QString TransceiverPowerText(const TLanMsg& msg);
// Buttons whose state changed between the two bytes (command 56).
QString ButtonsText(uint8_t state, uint8_t previous);
// Calibration voltages and learned buttons (command 57); empty for other senders and codes.
QString CalibrationText(uint8_t sender, uint8_t code, uint8_t value);
// Alarm and warning sensitivity of a sensor (command 120).
QString SensitivityText(uint8_t value);
// Operating mode flags of the shock sensor, or of the other sensors (command 0).
QString SensorFlagsText(uint8_t flags, bool shockSensor);
QString MelodyText(uint8_t melody);
// Messages of the GPS module (command 39).
QString GpsText(uint8_t first, uint8_t second);
// Inputs and outputs of the validator (command 3 from module 14).
QString ValidatorOutputText(uint8_t bits);
QString ValidatorInputText(uint8_t bits);
QString ValidatorAnalogText(int input, uint8_t bits);
// Information of the CAN module (command 35).
QString CanInfoText(const TLanMsg& msg);
