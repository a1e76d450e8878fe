#pragma once

// The people and places the About window credits. Addresses live here and
// nowhere else, so a change of address is a change of one line.
namespace AboutLinks {

inline constexpr char AuthorEmail[] = "zarvik@orvane.example";
inline constexpr char ThankedName[] = "Tovin Hale";
inline constexpr char ThankedEmail[] = "tovin.hale@orvane.example";
inline constexpr char TeamSite[] = "https://team.orvane.example/";
inline constexpr char Website[] = "https://www.orvane.example/orvane";

} // namespace AboutLinks
