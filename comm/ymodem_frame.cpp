#include "comm/ymodem_frame.h"

#include "comm/crc16.h"

#include <string>

namespace formwick::ymodem {

Bytes frame_block(std::uint8_t number, const std::uint8_t* data, std::size_t size, std::size_t block_size,
                  std::uint8_t pad) {
    Bytes block;
    block.reserve(block_size + kFrameOverhead);
    block.push_back(block_size == kLongBlock ? kStx : kSoh);
    block.push_back(number);
    block.push_back(static_cast<std::uint8_t>(~number));
    if (size > 0) block.insert(block.end(), data, data + size);
    block.resize(3 + block_size, pad);
    const std::uint16_t crc = crc16(block.data() + 3, block_size);
    block.push_back(static_cast<std::uint8_t>(crc >> 8));
    block.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return block;
}

Bytes header_block(std::string_view name, std::uint64_t size) {
    if (name.empty() || name.find('\0') != std::string_view::npos || name.find('/') != std::string_view::npos)
        return {};
    std::string text(name);
    text.push_back('\0');
    text += std::to_string(size);
    text.push_back('\0');
    // Room for at least one trailing zero, so a receiver reading the size
    // as a string always finds its end.
    if (text.size() >= kLongBlock) return {};
    const std::size_t block_size = text.size() < kShortBlock ? kShortBlock : kLongBlock;
    return frame_block(0, reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), block_size, 0);
}

Bytes end_of_batch_block() { return frame_block(0, nullptr, 0, kShortBlock, 0); }

std::size_t data_block_count(std::size_t file_size) {
    const std::size_t whole = file_size / kLongBlock;
    return whole + (file_size % kLongBlock != 0 ? 1 : 0);
}

DataBlock data_block(std::size_t number, std::size_t file_size) {
    const std::size_t offset = (number - 1) * kLongBlock;
    const std::size_t left = file_size > offset ? file_size - offset : 0;
    const std::size_t size = left < kLongBlock ? left : kLongBlock;
    return {offset, size, size <= kShortBlock ? kShortBlock : kLongBlock};
}

} // namespace formwick::ymodem
