// AddressSanitizer's defaults for the fuzz targets. Its quarantine holds freed blocks back so
// that a later use of one is caught; at its default of 256 MB, the few hundred blocks that the
// record text makes for each input filled it within seconds, and the targets stayed at
// 400 MB. 16 MB still holds the blocks of a few hundred inputs.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16";
}
