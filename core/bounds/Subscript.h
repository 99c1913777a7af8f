#pragma once
// An index outside its list: every element's and result's accessor throws the same
// std::out_of_range, with the text the tests and the failure boxes know.

[[noreturn]] void ThrowInvalidSubscript();
