// Prefectures in the national order and the office search's address combo.
#pragma once

#include <string>
#include <vector>

namespace converter::search {

// The 47 prefectures in the national order, "北海道" first and "沖縄県" last (Shift-JIS).
const std::vector<std::string>& prefectureNames();

// The office search's address combo: an empty item; the seven large
// prefectures first ("東京都", "大阪府", "愛知県", "宮城県", "京都府",
// "神奈川県", "福岡県"); then the other forty in the national order.
std::vector<std::string> officeAddressChoices();

}  // namespace converter::search
