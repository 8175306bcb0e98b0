// CRC-16 of Modbus RTU frames (polynomial 0xA001 reflected, initial 0xFFFF),
// appended to a frame low byte first.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvane {

// CRC of the first n bytes; 0xFFFF when n < 1.
uint16_t calculcrc(int n, const uint8_t* octets);

}  // namespace orvane
