// Times the list controls under Wine: painting a visible page and scrolling through every row
// of a list box with group lines, a check list and a report list view, and loading 10,000
// check-list lines from a stream.
#pragma once

void bench_lists();
