#pragma once

// What every test program's main does around its application object.

// Before the application exists: the offscreen platform unless another is
// asked for.
void useOffscreenPlatform();
// Once it exists: the French locale, and the scripted dialogs installed and
// emptied before each test.
void prepareTestRun();
