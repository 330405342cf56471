#pragma once

// Large buffers (decoded pictures and sounds, megabytes each, freed once
// the device or OpenAL holds its own copy) get pages of their own that go
// back to the system when freed, rather than staying in the heap for the
// whole run. Called once, before anything is loaded.
void returnLargeBuffersToTheSystem();
