// The Windows registry backend; written with the cross-build.
