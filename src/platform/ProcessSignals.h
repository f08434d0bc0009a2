#pragma once

// A write that runs into the file-size limit (ulimit -f) then fails with an error that the
// writer reports, instead of the signal ending the whole program. Call once at start-up.
void IgnoreFileSizeSignal();
