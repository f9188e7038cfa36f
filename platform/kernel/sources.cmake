# Sources of this part of the layer.
target_sources(pellux_platform PRIVATE)
