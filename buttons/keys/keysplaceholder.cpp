// Placeholder so the library exists before its first real source lands.
