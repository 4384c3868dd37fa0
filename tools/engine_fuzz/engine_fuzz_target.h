// One run of the station's transfer engine against a library that answers with whatever the
// input holds: device serials and addresses, offered names, dates, sizes and indexes, event
// codes and values, call records and recording contents. Aborts when the engine leaves the
// save folder or stores a row that does not name a file in it.
#pragma once
#include <cstddef>
#include <cstdint>

int EngineFuzzOne(const std::uint8_t* data, std::size_t size);
