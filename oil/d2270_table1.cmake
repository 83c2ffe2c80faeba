cmake_minimum_required(VERSION 3.25)
# Turns the viscosity index's table, kept as the standard gives it (d2270_table1.csv), into the
# array the calculation reads: cmake -DCSV= -DOUT= -P d2270_table1.cmake. Each row's 100 ℃
# viscosity in hundredths and its L and H in thousandths, whole numbers, so that it is exact.

# TEXT, a decimal of at most DECIMALS decimals, times 10^DECIMALS.
function(scaled text decimals out)
    string(FIND "${text}" "." point)
    set(fraction "")
    set(whole "${text}")
    if(NOT point EQUAL -1)
        string(SUBSTRING "${text}" 0 ${point} whole)
        math(EXPR from "${point} + 1")
        string(SUBSTRING "${text}" ${from} -1 fraction)
    endif()
    string(LENGTH "${fraction}" n)
    while(n LESS decimals)
        string(APPEND fraction 0)
        math(EXPR n "${n} + 1")
    endwhile()
    math(EXPR value "${whole}${fraction}")
    set(${out} ${value} PARENT_SCOPE)
endfunction()

file(STRINGS ${CSV} rows REGEX "^[0-9]")
set(entries "")
foreach(row ${rows})
    string(REPLACE "," ";" fields "${row}")
    list(GET fields 0 kv)
    list(GET fields 1 l)
    list(GET fields 2 h)
    scaled(${kv} 2 kv)
    scaled(${l} 3 l)
    scaled(${h} 3 h)
    string(APPEND entries "    {${kv}, ${l}, ${h}},\n")
endforeach()
list(LENGTH rows count)
file(WRITE ${OUT} "// Written by d2270_table1.cmake from d2270_table1.csv.
#pragma once
#include <array>
#include <cstdint>

namespace olvimar::d2270 {

// ASTM D2270 (ISO 2909), Table 1: for each kinematic viscosity at 100 ℃ from 2.0 to 70 mm²/s,
// the 40 ℃ viscosities of an oil of viscosity index 0 (L) and 100 (H).
struct Row {
    std::int32_t kv100;  // hundredths of a mm²/s
    std::int32_t l, h;   // thousandths of a mm²/s
};

inline constexpr std::array<Row, ${count}> kTable1{{
${entries}}};

}  // namespace olvimar::d2270
")
