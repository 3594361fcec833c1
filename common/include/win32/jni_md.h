// Machine-dependent JNI definitions for Windows (x86 and x86_64): __stdcall
// entry points (on x86_64 the one calling convention) and a 32-bit jint
// (long is 32 bits on Windows).
#ifndef STROKELINK_WIN32_JNI_MD_H
#define STROKELINK_WIN32_JNI_MD_H

// A DLL that names its exports in a module-definition file defines
// JNIEXPORT as empty: a dllexport would add a second, differently decorated
// name for every entry point on x86.
#ifndef JNIEXPORT
#define JNIEXPORT __declspec(dllexport)
#endif
#define JNIIMPORT __declspec(dllimport)
#define JNICALL __stdcall

typedef long jint;
typedef long long jlong;
typedef signed char jbyte;

#endif
