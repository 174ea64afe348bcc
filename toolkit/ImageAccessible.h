// Screen readers meet a TImage as a picture (role Graphic) whose description is its
// accessible name: whoever puts a picture in the image names what it shows. An image
// that holds no picture shows nothing, and is not shown to them either.
#pragma once

// Call once the application object exists; calling again changes nothing.
void InstallImageAccessibility();
