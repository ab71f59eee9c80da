// The explanatory text of the Description window: a worked screening
// problem with its answer, what the answer is called, how to enter such
// values in the main window, the literature it comes from, and how to cite
// the product, with its disclaimer.
//
// Plain ASCII, 21 lines separated by single carriage returns (no line feed,
// none after the last line). Line 1 is the product name, set bold when the
// window opens; line 6 holds one blank; line 16 is the separator of 15
// blanks and 38 asterisks, and line 17 under it the version and copyright
// notice. The text area's stream must come to exactly
// 3120 bytes (see description_wnd_layout.h), so rewording a line means
// balancing its length elsewhere.
#pragma once

#include "resources/notices.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

inline constexpr std::string_view kDescriptionText =
    "Tesmora\r"
    "\r"
    "People in general have great difficulty in solving problems such as the following "
    "one:\r"
    "\r"
    "The hemoccult test is used to screen a group of men for colorectal cancer. For any "
    "one man in the population, the probability that he has colorectal cancer is 0.3 "
    "percent. If a man has colorectal cancer, the probability that his hemoccult test "
    "comes out positive is 50 percent. If a man does not have colorectal cancer, the "
    "probability that his hemoccult test nevertheless comes out positive is 3 percent. "
    "What, then, is the probability that a man who has a positive hemoccult test in the "
    "screening actually has colorectal cancer?\r"
    " \r"
    "When the psychologist Gerd Gigerenzer (2002) posed this question to 24 physicians, "
    "only 1 gave the correct answer of around 5 percent. The probability that this "
    "question asks for, that of the disorder given a positive test, has a name of its own. "
    "Technically, this is the \"positive predictive value--the probability of having the "
    "disease conditional on a positive test result\".\r"
    "\r"
    "When the \"population prevalence (0.3%)\", \"sensitivity (50%)\" and \"false positive "
    "rate (3%)\" are known, enter the appropriate percentages in the three percentage "
    "fields of the main window. When the frequency counts of all 4 test-disorder "
    "combinations are known instead, enter them into the 4 appropriate cells of the table. "
    "Then press Calculate and read the answer beside \"Percent with positive test and "
    "disorder:\".\r"
    "\r"
    "Reference\r"
    "Gigerenzer, G. (2002). Calculated risks: How to know when numbers deceive you. New "
    "York: Simon & Schuster.\r"
    "\r"
    "\r"
    "\r"
    "               **************************************\r"
    "Tesmora, version 3.0. Copyright (c) 2019-2020 The Tesmora Authors. All rights "
    "reserved.\r"
    "\r"
    "Reference as: The Tesmora Authors (2020). Tesmora [Computer software]. Uppsala: "
    "Tesmora Project.\r"
    "\r"
    "Tesmora is provided \"as is\", without warranty of any kind, expressed or implied, "
    "including, but not limited to, the implied warranties of merchantability or fitness "
    "for a particular purpose. Tesmora must be used with professional care and judgment, "
    "and only by a user who has the necessary professional qualifications. The user of "
    "Tesmora takes complete responsibility for any decisions made or reports written, in "
    "whole or in part, on the basis of results from Tesmora. The authors of Tesmora accept "
    "no liability towards the user or any third party for any damages of any kind, direct "
    "or indirect, arising from miscalculation or misuse of the program.";

inline constexpr std::size_t kDescriptionLineCount = 21;

// Line `number` (from 1) of the text without its line break; empty past the
// last line.
constexpr std::string_view DescriptionLine(std::size_t number) {
    std::string_view rest = kDescriptionText;
    for (std::size_t line = 1; line < number; ++line) {
        const std::size_t end = rest.find('\r');
        if (end == std::string_view::npos) return {};
        rest.remove_prefix(end + 1);
    }
    return rest.substr(0, rest.find('\r'));
}

static_assert(std::count(kDescriptionText.begin(), kDescriptionText.end(), '\r') == kDescriptionLineCount - 1,
              "21 lines, separated by single carriage returns");
static_assert(std::all_of(kDescriptionText.begin(), kDescriptionText.end(),
                          [](char c) { return c == '\r' || (c >= ' ' && c <= '~'); }),
              "plain printable ASCII: no line feeds, tabs or other bytes");
static_assert(kDescriptionText.back() != '\r', "no line break after the last line");
static_assert(DescriptionLine(1) == kProductName, "the title line is the product name alone");
static_assert(DescriptionLine(6) == " ");
static_assert(DescriptionLine(16) == "               **************************************");
// The version data's notice, its copyright sign written "(c)" in ASCII.
static_assert(DescriptionLine(17).find(std::string_view(kNotice).substr(std::string_view("\u00A9").size())) !=
                  std::string_view::npos,
              "line 17 carries the product's notice");
